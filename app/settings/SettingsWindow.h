#pragma once

#include "core/AutostartEntry.h"

#include <QWidget>

class PickKeySection;
class PickShortcut;
class ColorPickerModel;
class FormatsSection;
class QComboBox;
class QCheckBox;
class QPushButton;
class SettingsTabs;
class UpdaterService;

// The settings window: a fixed 400x320 form on tabs. "General" holds "Start at login",
// "About" the version and the update controls; "Formats" and "Picking" join them when the
// window has a picker and a pick shortcut. A page taller than the window scrolls. The window
// holds no state of its own: the login toggle shows whether the autostart entry exists
// each time the window shows and writes or removes it, the button follows the updater's
// canCheckForUpdates, the early-access toggle the updater's betaEnabled.
class SettingsWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize fixedSize{400, 320};

    // With a pick shortcut, the "Picking" tab holds "Pick a color with a key".
    SettingsWindow(UpdaterService& updater, AutostartEntry autostart,
                   PickShortcut* pickShortcut = nullptr, QWidget* parent = nullptr);

    SettingsTabs& tabs() const { return *m_tabs; }
    QCheckBox& startAtLoginToggle() const { return *m_loginToggle; }
    QPushButton& checkForUpdatesButton() const { return *m_checkButton; }
    QCheckBox& betaToggle() const { return *m_betaToggle; }
    // Absent without a pick shortcut.
    PickKeySection* pickKeySection() const { return m_pickKey; }

    // Adds the "Formats" tab (FormatsSection) after General, and "Recent colors to keep" (8,
    // 16 or 32) to General, once.
    void showFormats(ColorPickerModel& picker);
    // Absent until showFormats.
    QComboBox* recentLimitChoice() const { return m_recentLimit; }
    FormatsSection* formatsSection() const { return m_formats; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes the window; Enter and Return press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* aboutPage();
    void refresh();

    UpdaterService& m_updater;
    AutostartEntry m_autostart;
    SettingsTabs* m_tabs;
    QWidget* m_general;
    QCheckBox* m_loginToggle;
    QPushButton* m_checkButton;
    QCheckBox* m_betaToggle;
    PickKeySection* m_pickKey = nullptr;
    FormatsSection* m_formats = nullptr;
    QComboBox* m_recentLimit = nullptr;
};
