#pragma once

#include "core/AppSettings.h"
#include "core/ColorPickerModel.h"
#include "core/RecentColors.h"

// The picker model with the settings and the recent colours it works on, over a store, as
// AppServices builds them.
struct PickerOverStore
{
    PickerOverStore(PreferencesStore& store, ScreenSampler& sampler, Clipboard& clipboard)
        : settings(store), recents(settings), model(settings, recents, sampler, clipboard)
    {
    }

    AppSettings settings;
    RecentColors recents;
    ColorPickerModel model;
};
