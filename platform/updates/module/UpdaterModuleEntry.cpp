#include "platform/updates/entry/UpdaterModuleEntry.h"

#include "platform/updates/AppcastUpdater.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) UpdateFramework*
morvane_create_updater(const UpdaterModuleEntry::Arguments& arguments)
{
    // The module holds its own copy of core's Log: it writes where the application's does.
    Log::installProcessSink(arguments.logSink);
    return AppcastUpdater::factory(arguments.settings, arguments.appSettings,
                                   arguments.fileManager)(arguments.delegate)
        .release();
}

static_assert(std::is_same_v<decltype(&morvane_create_updater), UpdaterModuleEntry::Function>);
