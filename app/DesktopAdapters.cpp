#include "AppInfo.h"
#include "AppcastUpdater.h"
#include "ClipboardChoice.h"
#include "ColorPickerApplication.h"
#include "FreedesktopFileManagerReveal.h"
#include "QtApplicationPresence.h"
#include "ScreenSamplerChoice.h"
#include "SettingsPreferencesStore.h"

#include <QProcessEnvironment>

// The desktop's adapters, each chosen for the session.
ColorPickerAdapters ColorPickerAdapters::desktop(const DesktopSession& session)
{
    ColorPickerAdapters adapters;
    adapters.store = std::make_unique<SettingsPreferencesStore>();
    adapters.presence = std::make_unique<QtApplicationPresence>();
    adapters.reveal = std::make_unique<FreedesktopFileManagerReveal>();
    adapters.makeSampler = [session] { return makeScreenSampler(session); };
    adapters.makeClipboard = [session](BringForward bringForward) {
        return ::makeClipboard(session, std::move(bringForward));
    };
    adapters.makeUpdater = [](PreferencesStore& store, FileManagerReveal& reveal) {
        return AppcastUpdater::factory(
            AppcastUpdaterSettings::fromAppInfo(AppInfo::current(),
                                                QProcessEnvironment::systemEnvironment()),
            store, reveal);
    };
    return adapters;
}
