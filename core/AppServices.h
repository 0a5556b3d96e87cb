#pragma once

#include "core/ColorPickerModel.h"
#include "core/RecentColors.h"
#include "core/UpdaterService.h"
#include "core/ports/UpdateFramework.h"

class AppSettings;
class ApplicationPresence;
class Clipboard;
class ScreenSampler;

// The services built once at launch and kept to the end of the process, over the settings:
// the recent colours and the picker model, then the updater (which tests the build's update
// configuration from the information map and starts the framework only when it is valid).
// Not built in the self-test.
class AppServices
{
public:
    AppServices(AppSettings& settings, ScreenSampler& sampler, Clipboard& clipboard,
                ApplicationPresence& presence, const UpdateFramework::Factory& createFramework);

    RecentColors& recents() { return m_recents; }
    ColorPickerModel& picker() { return m_picker; }
    UpdaterService& updater() { return m_updater; }

private:
    // Declaration order is construction order: the model before the updater.
    RecentColors m_recents;
    ColorPickerModel m_picker;
    UpdaterService m_updater;
};
