#include "platform/updates/entry/AppcastUpdaterSettings.h"

#include "core/AppInfo.h"

#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

AppcastUpdaterSettings AppcastUpdaterSettings::fromAppInfo(const QVariantMap& appInfo,
                                                           const RunningImage& image)
{
    const AppInfo::UpdateConfiguration configuration = AppInfo::updateConfiguration(appInfo);
    AppcastUpdaterSettings settings;
    settings.feedUrl = QUrl(configuration.feedUrl);
    settings.publicKey = configuration.publicKey;
    settings.currentVersion = AppInfo::shortVersion(appInfo);
    settings.systemVersion = QSysInfo::kernelVersion();
    if (image.isAppImage)
        settings.appImagePath = image.path;
    // Without a cache folder of the user's own, each download gets a private temporary one.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty())
        settings.downloadCache = cache + QStringLiteral("/updates");
    settings.downloadsFolder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (settings.downloadsFolder.isEmpty())
        settings.downloadsFolder = QDir::homePath();
    return settings;
}
