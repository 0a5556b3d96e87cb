#include "app/shell/UpdaterModuleLoader.h"

#include "platform/updates/entry/UpdaterModuleEntry.h"

#include <QDir>
#include <QFile>

#include <dlfcn.h>

namespace {

std::string loaderError()
{
    const char* error = dlerror();
    return error ? error : "unknown error";
}

} // namespace

QString UpdaterModuleLoader::besideExecutable(const QString& executableFolder)
{
    return QDir::cleanPath(executableFolder + QLatin1Char('/') +
                           QString::fromUtf8(MORVANE_UPDATER_MODULE));
}

DeferredUpdateFramework::Loader
UpdaterModuleLoader::loader(QString path, std::function<AppcastUpdaterSettings()> settings,
                            AppSettings& appSettings, FileManagerReveal& fileManager)
{
    return [path = std::move(path), settings = std::move(settings), &appSettings,
            &fileManager](UpdateFrameworkDelegate& delegate) -> DeferredUpdateFramework::Loaded {
        // Never closed: the updater's code must stay while any of its objects or queued calls
        // may still run, and the process keeps one updater for its whole life.
        void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module)
            return {nullptr, loaderError()};
        const auto create = reinterpret_cast<UpdaterModuleEntry::Function>(
            dlsym(module, UpdaterModuleEntry::symbol));
        if (!create)
            return {nullptr, loaderError()};
        const UpdaterModuleEntry::Arguments arguments{settings(), appSettings, fileManager,
                                                      delegate, Log::processSink()};
        return {std::unique_ptr<UpdateFramework>(create(arguments)), {}};
    };
}
