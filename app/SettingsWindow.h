#pragma once

#include "AutostartEntry.h"

#include <QWidget>

class PickKeySection;
class PickShortcut;
class ColorPickerModel;
class FormatsSection;
class QComboBox;
class QCheckBox;
class QPushButton;
class UpdaterService;

// The settings window: a fixed 400x320 form with "Start at login" ("General"), the update
// controls ("Updates") and the version ("About"). It holds no state of its own: the login
// toggle shows whether the autostart entry exists each time the window shows and writes or
// removes it, the button follows the updater's canCheckForUpdates, the early-access toggle
// its betaEnabled. With the picker's formats (showFormats) it is taller
// by their section.
class SettingsWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize fixedSize{400, 320};

    // With a pick shortcut, General also holds "Pick a color with a key", and the window is as
    // tall as its contents need (never less than 320).
    SettingsWindow(UpdaterService& updater, AutostartEntry autostart,
                   PickShortcut* pickShortcut = nullptr, QWidget* parent = nullptr);

    QCheckBox& startAtLoginToggle() const { return *m_loginToggle; }
    QPushButton& checkForUpdatesButton() const { return *m_checkButton; }
    QCheckBox& betaToggle() const { return *m_betaToggle; }
    // Absent without a pick shortcut.
    PickKeySection* pickKeySection() const { return m_pickKey; }

    // Adds the "Formats" section (FormatsSection) under "General", and "Recent colors" (8, 16
    // or 32) to General, once; the window grows by their height.
    void showFormats(ColorPickerModel& picker);
    // Absent until showFormats.
    QComboBox* recentLimitChoice() const { return m_recentLimit; }
    FormatsSection* formatsSection() const { return m_formats; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes the window; Enter and Return press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();

    UpdaterService& m_updater;
    AutostartEntry m_autostart;
    QCheckBox* m_loginToggle;
    QPushButton* m_checkButton;
    QCheckBox* m_betaToggle;
    PickKeySection* m_pickKey = nullptr;
    FormatsSection* m_formats = nullptr;
    QComboBox* m_recentLimit = nullptr;
};
