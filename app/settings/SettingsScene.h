#pragma once

#include "core/AutostartEntry.h"

#include <QObject>
#include <QPointer>

#include <memory>

class PickShortcut;
class ColorPickerModel;
class SettingsWindow;
class UpdaterService;

// The application's one settings window, built when first opened. Opening it again brings
// the open window to the front instead of making a second one.
class SettingsScene : public QObject
{
    Q_OBJECT

public:
    SettingsScene(UpdaterService& updater,
                  AutostartEntry autostart = AutostartEntry::forCurrentProcess(),
                  QObject* parent = nullptr);
    ~SettingsScene() override;

    // Offered in the window's General section from the next time it is built.
    void setPickShortcut(PickShortcut* shortcut) { m_pickShortcut = shortcut; }

    // The picker whose formats the window's "Formats" section sets; without one the window
    // has no such section.
    void setPicker(ColorPickerModel* picker) { m_picker = picker; }
    void open();
    // Absent until first opened.
    SettingsWindow* window() const { return m_window.get(); }

private:
    UpdaterService& m_updater;
    AutostartEntry m_autostart;
    PickShortcut* m_pickShortcut = nullptr;
    ColorPickerModel* m_picker = nullptr;
    std::unique_ptr<SettingsWindow> m_window;
};
