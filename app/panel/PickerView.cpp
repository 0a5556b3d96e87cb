#include "app/panel/PickerView.h"

#include "app/panel/AccessibleRoles.h"
#include "app/panel/Announcer.h"
#include "app/panel/Constants.h"
#include "app/panel/ContrastSection.h"
#include "app/panel/ForegroundStyle.h"
#include "app/panel/PanelFooter.h"
#include "app/panel/PickButton.h"
#include "app/panel/RecentChip.h"
#include "app/panel/RecentsSection.h"
#include "app/panel/SwatchView.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/TextButton.h"
#include "app/panel/ValueRow.h"
#include "core/ColorPickerModel.h"
#include "core/Notations.h"

#include <QAbstractButton>
#include <QAction>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// A one-pixel separator line in the palette's primary colour, faint.
class Divider : public QWidget
{
public:
    explicit Divider(QWidget* parent) : QWidget(parent) { setFixedHeight(1); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), ForegroundStyle::primary(palette(), 0.1));
    }
};

} // namespace

PickerView::PickerView(ColorPickerModel& picker, QWidget* parent)
    : QWidget(parent), m_picker(picker)
{
    setFixedWidth(panelWidth);

    AccessibleRoles::install();
    m_swatch = new SwatchView(this);
    m_announcer = new Announcer(this);
    connect(m_swatch, &SwatchView::capsuleClicked, &m_picker, &ColorPickerModel::undoClear);
    m_name = new QLabel(this);
    m_name->setFont(ForegroundStyle::systemFont(11));
    m_name->setAlignment(Qt::AlignHCenter);
    refreshNameColor();
    m_contrast = new ContrastSection(this);
    connect(m_contrast, &ContrastSection::closeRequested, &m_picker,
            &ColorPickerModel::closeContrast);
    m_pickButton = new PickButton(this);
    connect(m_pickButton, &PickButton::clicked, &m_picker, &ColorPickerModel::pickColor);
    m_pickNotice = new QLabel(this);
    m_pickNotice->setWordWrap(true);
    m_pickNotice->setFont(ForegroundStyle::systemFont(11));

    m_rows = new QVBoxLayout;
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(6);
    buildRows();

    m_recents = new RecentsSection(this);
    connect(m_recents, &RecentsSection::colorChosen, &m_picker, &ColorPickerModel::adopt);
    connect(m_recents, &RecentsSection::compareRequested, &m_picker,
            &ColorPickerModel::compareWith);
    connect(m_recents, &RecentsSection::comparePickRequested, &m_picker,
            &ColorPickerModel::pickContrastPartner);
    connect(m_recents, &RecentsSection::removeRequested, &m_picker.recents(),
            &RecentColors::remove);
    connect(m_recents, &RecentsSection::clearRequested, &m_picker, &ColorPickerModel::clearRecents);

    m_footer = new PanelFooter(this);
    connect(m_footer, &PanelFooter::webPickerRequested, this,
            [] { QDesktopServices::openUrl(Constants::Web::webPickerURL()); });
    connect(m_footer, &PanelFooter::settingsRequested, this, &PickerView::settingsRequested);
    connect(m_footer, &PanelFooter::quitRequested, this, &PickerView::quitRequested);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(m_swatch);
    layout->addWidget(m_name);
    layout->addWidget(m_pickButton);
    layout->addWidget(m_pickNotice);
    layout->addLayout(m_rows);
    layout->addWidget(m_contrast);
    layout->addWidget(m_recents);
    layout->addWidget(new Divider(this));
    layout->addWidget(m_footer);

    // Ctrl+V anywhere in the panel takes a colour from the clipboard.
    auto* paste = new QAction(tr("Paste color"), this);
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(paste);
    connect(paste, &QAction::triggered, &m_picker, &ColorPickerModel::pasteColor);
    auto* undo = new QAction(tr("Undo"), this);
    undo->setShortcut(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(undo);
    connect(undo, &QAction::triggered, &m_picker, &ColorPickerModel::undoClear);

    connect(&m_picker, &ColorPickerModel::formatsChanged, this, [this] {
        buildRows();
        showCurrent();
        orderTabStops();
    });
    connect(&m_picker, &ColorPickerModel::currentChanged, this, &PickerView::showCurrent);
    connect(&m_picker, &ColorPickerModel::isSamplingChanged, this, &PickerView::showSampling);
    connect(&m_picker.recents(), &RecentColors::changed, this, &PickerView::showRecents);
    connect(&m_picker, &ColorPickerModel::copyConfirmationChanged, this,
            &PickerView::showConfirmation);
    connect(&m_picker, &ColorPickerModel::pickUnavailableChanged, this,
            &PickerView::showPickNotice);
    connect(&m_picker, &ColorPickerModel::contrastPartnerChanged, this, &PickerView::showContrast);
    showCurrent();
    showSampling();
    showRecents();
    showConfirmation();
    showPickNotice();
    showContrast();
}

// One row per shown format; the labels share the width of the widest, so the values line up.
void PickerView::buildRows()
{
    qDeleteAll(m_valueRows);
    m_valueRows.clear();
    m_rowFormats = m_picker.shownFormats();
    int labelWidth = 0;
    for (const ColorFormat& format : std::as_const(m_rowFormats))
        labelWidth = std::max(labelWidth, ValueRow::labelWidthFor(format.label));
    for (const ColorFormat& format : std::as_const(m_rowFormats)) {
        auto* row = new ValueRow(m_picker, format.label, this);
        row->setLabelWidth(labelWidth);
        m_rows->addWidget(row);
        m_valueRows.append(row);
    }
}

void PickerView::showCurrent()
{
    const std::optional<PickedColor>& current = m_picker.current();
    m_swatch->setColor(current);
    m_name->setText(current ? Notations::find(u"name")->format(*current) : QString());
    m_name->setVisible(current.has_value());
    showContrast();
    for (qsizetype i = 0; i < m_valueRows.size(); ++i) {
        m_valueRows[i]->setValue(current ? std::optional(m_rowFormats[i].format(*current))
                                         : std::nullopt);
    }
}

void PickerView::showSampling()
{
    m_pickButton->setEnabled(!m_picker.isSampling());
    // Disabling the button moved keyboard focus on; after the pick it comes back here.
    if (!m_picker.isSampling())
        m_pickButton->setFocus(Qt::OtherFocusReason);
}

void PickerView::showRecents()
{
    m_recents->setColors(m_picker.recents().shown());
    orderTabStops();
}

void PickerView::orderTabStops()
{
    QList<QWidget*> stops{m_pickButton};
    for (const ValueRow* row : std::as_const(m_valueRows))
        stops.append(row->copyButton());
    stops.append(m_contrast->closeButton()); // skipped while no contrast is shown
    for (RecentChip* chip : m_recents->chips())
        stops.append(chip);
    stops << m_footer->webPickerButton() << m_footer->settingsButton() << m_footer->quitButton();
    for (qsizetype i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1], stops[i]);
}

void PickerView::showConfirmation()
{
    m_swatch->setConfirmation(m_picker.copyConfirmation());
    m_announcer->announce(m_picker.copyConfirmation().value_or(QString()));
}

void PickerView::keyPressEvent(QKeyEvent* event)
{
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button &&
        button->isEnabled() && button->hasFocus() && isAncestorOf(button)) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PickerView::showPickNotice()
{
    m_pickNotice->setText(m_picker.pickUnavailable());
    m_pickNotice->setAccessibleName(m_picker.pickUnavailable());
    m_pickNotice->setVisible(!m_picker.pickUnavailable().isEmpty());
    m_announcer->announce(m_picker.pickUnavailable());
}

void PickerView::showContrast()
{
    m_contrast->setColors(m_picker.current(), m_picker.contrastPartner());
}

void PickerView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        refreshNameColor();
    QWidget::changeEvent(event);
}

void PickerView::refreshNameColor()
{
    // Secondary, as the "Recent" title: a theme's placeholder colour may be unreadable here.
    ForegroundStyle::setTextColor(m_name, ForegroundStyle::secondary(palette()));
}
