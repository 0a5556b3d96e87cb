#pragma once

#include "app/shell/DeferredUpdateFramework.h"
#include "platform/updates/entry/AppcastUpdaterSettings.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class AppSettings;
class FileManagerReveal;

// Opens the updater module (UpdaterModuleEntry.h) and creates the real update framework in it.
namespace UpdaterModuleLoader {

// Where the module is: the executable's folder (by default the running one's), then the path
// from the executable's install folder to the module's, fixed when the build was configured.
// The build tree has the same layout, so a build runs from where it was made as well as
// installed.
QString besideExecutable(const QString& executableFolder = QCoreApplication::applicationDirPath());

// Opens the module at path (bound at once, its symbols kept to itself; it stays loaded for the
// rest of the process), finds its entry point and creates a started updater with the settings
// made at that moment. The failure says what the dynamic loader said. The application's
// settings and the file manager must outlive the updater.
DeferredUpdateFramework::Loader loader(QString path,
                                       std::function<AppcastUpdaterSettings()> settings,
                                       AppSettings& appSettings, FileManagerReveal& fileManager);

} // namespace UpdaterModuleLoader
