#include "SettingsWindow.h"

#include "AppInfo.h"
#include "ColorPickerModel.h"
#include "FormatsSection.h"
#include "PickKeySection.h"
#include "UpdaterService.h"

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

SettingsWindow::SettingsWindow(UpdaterService& updater, AutostartEntry autostart,
                               PickShortcut* pickShortcut, QWidget* parent)
    : QWidget(parent, Qt::Window), m_updater(updater), m_autostart(std::move(autostart))
{
    setWindowTitle(tr("Settings"));
    setFixedSize(fixedSize);

    auto* general = new QGroupBox(tr("General"));
    auto* generalLayout = new QVBoxLayout(general);
    m_loginToggle = new QCheckBox(tr("Start at login"));
    generalLayout->addWidget(m_loginToggle);
    if (pickShortcut) {
        m_pickKey = new PickKeySection(*pickShortcut);
        generalLayout->addWidget(m_pickKey);
    }

    auto* updates = new QGroupBox(tr("Updates"));
    auto* updatesLayout = new QVBoxLayout(updates);
    m_checkButton = new QPushButton(tr("Check for Updates…"));
    m_betaToggle = new QCheckBox(tr("Get early-access updates"));
    updatesLayout->addWidget(m_checkButton, 0, Qt::AlignLeft);
    updatesLayout->addWidget(m_betaToggle);

    auto* about = new QGroupBox(tr("About"));
    auto* aboutLayout = new QFormLayout(about);
    auto* version = new QLabel(Constants::version());
    version->setObjectName(QStringLiteral("versionValue"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    aboutLayout->addRow(tr("Version"), version);
    auto* tagline = new QLabel(tr("Pick any color on your screen, right from the menu bar."));
    tagline->setObjectName(QStringLiteral("tagline"));
    tagline->setWordWrap(true);
    tagline->setForegroundRole(QPalette::PlaceholderText);
    QFont callout = tagline->font();
    callout.setPointSizeF(callout.pointSizeF() * 0.9);
    tagline->setFont(callout);
    aboutLayout->addRow(tagline);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(general);
    layout->addWidget(updates);
    layout->addWidget(about);
    layout->addStretch();

    connect(m_loginToggle, &QCheckBox::toggled, this, [this](bool on) {
        m_autostart.setEnabled(on);
        refresh(); // a refused write leaves the toggle showing the file as it is
    });
    connect(m_checkButton, &QPushButton::clicked, &m_updater, &UpdaterService::checkForUpdates);
    connect(m_betaToggle, &QCheckBox::toggled, &m_updater, &UpdaterService::setBetaEnabled);
    connect(&m_updater, &UpdaterService::betaEnabledChanged, this, &SettingsWindow::refresh);
    connect(&m_updater, &UpdaterService::canCheckForUpdatesChanged, this, &SettingsWindow::refresh);
    if (m_pickKey) {
        const auto fit = [this, layout] {
            const int height = layout->hasHeightForWidth()
                                   ? layout->totalHeightForWidth(fixedSize.width())
                                   : layout->totalSizeHint().height();
            setFixedSize(fixedSize.width(), std::max(fixedSize.height(), height));
        };
        connect(m_pickKey, &PickKeySection::resized, this, fit);
        fit();
    }
    refresh();
}

void SettingsWindow::showFormats(ColorPickerModel& picker)
{
    if (m_formats)
        return;
    m_formats = new FormatsSection(picker, this);
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(column->indexOf(m_loginToggle->parentWidget()) + 1, m_formats);

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
    m_loginToggle->parentWidget()->layout()->addWidget(recentRow);
    connect(m_recentLimit, &QComboBox::activated, &recents, [this, &recents](int index) {
        recents.setLimit(m_recentLimit->itemData(index).toInt());
    });
    connect(&recents, &RecentColors::limitChanged, m_recentLimit, [this, &recents] {
        m_recentLimit->setCurrentIndex(m_recentLimit->findData(recents.limit()));
    });

    // Grown from the height the window has now: the pick-key section may have grown it already.
    setFixedSize(fixedSize.width(), maximumHeight() + m_formats->sizeHint().height() +
                                        recentRow->sizeHint().height() + 2 * column->spacing());
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
