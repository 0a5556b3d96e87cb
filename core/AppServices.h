#pragma once

#include "ColorPickerModel.h"
#include "UpdateFramework.h"
#include "UpdaterService.h"

class ApplicationPresence;
class Clipboard;
class PreferencesStore;
class ScreenSampler;

// The services built once at launch and kept to the end of the process: the picker model
// (which loads the persisted colours), then the updater (which tests the build's update
// configuration from the information map and starts the framework only when it is valid).
// Not built in the self-test.
class AppServices
{
public:
    AppServices(PreferencesStore& defaults, ScreenSampler& sampler, Clipboard& clipboard,
                ApplicationPresence& presence, const UpdateFramework::Factory& createFramework);

    ColorPickerModel& picker() { return m_picker; }
    UpdaterService& updater() { return m_updater; }

private:
    // Declaration order is construction order: the model before the updater.
    ColorPickerModel m_picker;
    UpdaterService m_updater;
};
