#include "app/panel/PanelFooter.h"

#include "app/panel/ColorPickerTheme.h"
#include "app/panel/ForegroundStyle.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/TextButton.h"

#include <QHBoxLayout>

PanelFooter::PanelFooter(QWidget* parent) : QWidget(parent)
{
    const QFont font = ForegroundStyle::systemFont(12, QFont::Medium);

    m_webPicker = new TextButton(tr("Open the web picker"), font, ColorPickerTheme::accent(), this);
    m_webPicker->setAccessibleName(tr("Open the web color picker in your browser"));

    m_settings = new SymbolButton(QStringLiteral("gearshape"), 14, 16, this);
    m_settings->setAccessibleName(tr("Settings"));

    m_quit = new TextButton(tr("Quit"), font, QColor(), this);
    m_quit->setAccessibleName(tr("Quit Morvane Color Picker"));

    connect(m_webPicker, &TextButton::clicked, this, &PanelFooter::webPickerRequested);
    connect(m_settings, &SymbolButton::clicked, this, &PanelFooter::settingsRequested);
    connect(m_quit, &TextButton::clicked, this, &PanelFooter::quitRequested);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(m_webPicker);
    layout->addStretch(1);
    layout->addWidget(m_settings);
    layout->addWidget(m_quit);
}
