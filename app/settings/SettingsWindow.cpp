#include "app/settings/SettingsWindow.h"

#include "app/settings/FormatsSection.h"
#include "app/settings/PickKeySection.h"
#include "app/settings/SettingsTabs.h"
#include "core/AppInfo.h"
#include "core/ColorPickerModel.h"
#include "core/UpdaterService.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A page of `rows` from the top, the room left over below them.
QWidget* topAlignedPage(std::initializer_list<QWidget*> rows)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    for (QWidget* row : rows)
        column->addWidget(row);
    column->addStretch();
    return page;
}

void addRow(QWidget& page, QWidget* row)
{
    auto* column = static_cast<QVBoxLayout*>(page.layout());
    column->insertWidget(column->count() - 1, row);
}

} // namespace

SettingsWindow::SettingsWindow(UpdaterService& updater, AutostartEntry autostart,
                               PickShortcut* pickShortcut, QWidget* parent)
    : QWidget(parent, Qt::Window), m_updater(updater), m_autostart(std::move(autostart))
{
    setWindowTitle(tr("Settings"));
    setFixedSize(fixedSize);
    m_tabs = new SettingsTabs;
    m_loginToggle = new QCheckBox(tr("Start at login"));
    m_general = topAlignedPage({m_loginToggle});
    m_tabs->addPage(m_general, tr("General"));
    if (pickShortcut) {
        m_pickKey = new PickKeySection(*pickShortcut);
        m_tabs->addPage(topAlignedPage({m_pickKey}), tr("Picking"));
    }
    m_tabs->addPage(aboutPage(), tr("About"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);

    connect(m_loginToggle, &QCheckBox::toggled, this, [this](bool on) {
        m_autostart.setEnabled(on);
        refresh(); // a refused write leaves the toggle showing the file as it is
    });
    connect(m_checkButton, &QPushButton::clicked, &m_updater, &UpdaterService::checkForUpdates);
    connect(m_betaToggle, &QCheckBox::toggled, &m_updater, &UpdaterService::setBetaEnabled);
    connect(&m_updater, &UpdaterService::betaEnabledChanged, this, &SettingsWindow::refresh);
    connect(&m_updater, &UpdaterService::canCheckForUpdatesChanged, this, &SettingsWindow::refresh);
    refresh();
}

// What the picker is, then its updates.
QWidget* SettingsWindow::aboutPage()
{
    auto* version = new QLabel(Constants::version());
    version->setObjectName(QStringLiteral("versionValue"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* tagline = new QLabel(tr("Pick any color on your screen, right from the menu bar."));
    tagline->setObjectName(QStringLiteral("tagline"));
    tagline->setWordWrap(true);
    tagline->setForegroundRole(QPalette::PlaceholderText);
    QFont callout = tagline->font();
    callout.setPointSizeF(callout.pointSizeF() * 0.9);
    tagline->setFont(callout);
    auto* identity = new QWidget;
    auto* identityForm = new QFormLayout(identity);
    identityForm->setContentsMargins(0, 0, 0, 0);
    identityForm->addRow(tr("Version"), version);
    identityForm->addRow(tagline);

    auto* updates = new QGroupBox(tr("Updates"));
    auto* updatesLayout = new QVBoxLayout(updates);
    m_checkButton = new QPushButton(tr("Check for Updates…"));
    m_betaToggle = new QCheckBox(tr("Get early-access updates"));
    updatesLayout->addWidget(m_checkButton, 0, Qt::AlignLeft);
    updatesLayout->addWidget(m_betaToggle);
    return topAlignedPage({identity, updates});
}

void SettingsWindow::showFormats(ColorPickerModel& picker)
{
    if (m_formats)
        return;
    auto* recentRow = new QWidget;
    auto* recentLayout = new QHBoxLayout(recentRow);
    recentLayout->setContentsMargins(0, 0, 0, 0);
    auto* recentLabel = new QLabel(tr("Recent colors to keep"));
    m_recentLimit = new QComboBox;
    recentLabel->setBuddy(m_recentLimit);
    RecentColors& recents = picker.recents();
    for (int limit : RecentColors::limits)
        m_recentLimit->addItem(QString::number(limit), limit);
    m_recentLimit->setCurrentIndex(m_recentLimit->findData(recents.limit()));
    recentLayout->addWidget(recentLabel);
    recentLayout->addWidget(m_recentLimit);
    recentLayout->addStretch();
    addRow(*m_general, recentRow);
    connect(m_recentLimit, &QComboBox::activated, &recents, [this, &recents](int index) {
        recents.setLimit(m_recentLimit->itemData(index).toInt());
    });
    connect(&recents, &RecentColors::limitChanged, m_recentLimit, [this, &recents] {
        m_recentLimit->setCurrentIndex(m_recentLimit->findData(recents.limit()));
    });

    m_formats = new FormatsSection(picker);
    m_tabs->addPage(m_formats, FormatsSection::title(), 1); // after General
}

void SettingsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button &&
        button->isEnabled() && button->hasFocus()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SettingsWindow::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void SettingsWindow::refresh()
{
    {
        const QSignalBlocker blocker(m_loginToggle);
        m_loginToggle->setChecked(m_autostart.isEnabled());
    }
    m_checkButton->setEnabled(m_updater.canCheckForUpdates());
    const QSignalBlocker blocker(m_betaToggle);
    m_betaToggle->setChecked(m_updater.betaEnabled());
}
