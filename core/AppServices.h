#pragma once

#include "ColorPickerModel.h"
#include "UpdaterService.h"

class Clipboard;
class PreferencesStore;
class ScreenSampler;

// The services built once at launch and kept to the end of the process: the picker model
// (which loads the persisted colours), then the updater. Not built in the self-test.
class AppServices
{
public:
    AppServices(PreferencesStore& defaults, ScreenSampler& sampler, Clipboard& clipboard);

    ColorPickerModel& picker() { return m_picker; }
    UpdaterService& updater() { return m_updater; }

private:
    // Declaration order is construction order: the model before the updater.
    ColorPickerModel m_picker;
    UpdaterService m_updater;
};
