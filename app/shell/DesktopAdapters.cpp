#include "app/shell/ColorPickerApplication.h"
#include "app/shell/DeferredUpdateFramework.h"
#include "app/shell/UpdaterModuleLoader.h"
#include "core/AppInfo.h"
#include "core/RunningImage.h"
#include "platform/clipboard/ClipboardChoice.h"
#include "platform/desktop/FreedesktopFileManagerReveal.h"
#include "platform/desktop/QtApplicationPresence.h"
#include "platform/preferences/SettingsPreferencesStore.h"
#include "platform/sampling/ScreenSamplerChoice.h"
#include "platform/shortcuts/GlobalShortcutChoice.h"
#include "platform/tray/DesktopTrayHost.h"
#include "platform/updates/entry/AppcastUpdaterSettings.h"

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
    // The updater module is loaded after start-up, with the settings made then.
    adapters.makeUpdater = [](AppSettings& appSettings, FileManagerReveal& reveal) {
        return [&appSettings, &reveal](UpdateFrameworkDelegate& delegate) {
            const auto settings = [] {
                return AppcastUpdaterSettings::fromAppInfo(AppInfo::current(),
                                                           RunningImage::current());
            };
            return std::unique_ptr<UpdateFramework>(std::make_unique<DeferredUpdateFramework>(
                delegate, UpdaterModuleLoader::loader(UpdaterModuleLoader::besideExecutable(),
                                                      settings, appSettings, reveal)));
        };
    };
    adapters.makeGlobalShortcut = [session] { return ::makeGlobalShortcut(session); };
    adapters.makeTrayHost = [session] {
        return std::make_unique<DesktopTrayHost>(QDBusConnection::sessionBus(),
                                                 session.isX11Client());
    };
    return adapters;
}
