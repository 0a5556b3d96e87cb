#pragma once

#include "core/Log.h"
#include "core/ports/UpdateFramework.h"
#include "platform/updates/entry/AppcastUpdaterSettings.h"

class AppSettings;
class FileManagerReveal;

// The contract of the updater module (morvane-updater): a private library that the
// application loads after start-up, so that QtNetwork, libsodium and what they bring are
// loaded only then. It exports one function, looked up by name; everything else in it is
// private, its own copies of the static libraries included. Both sides are built together
// from these sources, so C++ types may cross the boundary.
namespace UpdaterModuleEntry {

inline constexpr char symbol[] = "morvane_create_updater";

struct Arguments
{
    AppcastUpdaterSettings settings;
    // These three must outlive the updater.
    AppSettings& appSettings;
    FileManagerReveal& fileManager;
    UpdateFrameworkDelegate& delegate;
    // The application's log sink: the module's own copy of Log writes through it.
    Log::Sink logSink;
};

// Creates and starts the real updater; the caller owns it and deletes it through
// UpdateFramework. Called on the main thread.
using Function = UpdateFramework* (*)(const Arguments& arguments);

} // namespace UpdaterModuleEntry
