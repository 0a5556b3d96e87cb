#include "platform/updates/UpdatePolicy.h"

#include "platform/updates/UpdateVersion.h"

#include <algorithm>

namespace UpdatePolicy {

std::optional<AppcastItem> newestSuitableItem(const QList<AppcastItem>& items,
                                              const Candidates& candidates)
{
    std::optional<AppcastItem> newest;
    for (const AppcastItem& item : items) {
        if (!item.channel.isEmpty() && !candidates.allowedChannels.contains(item.channel))
            continue;
        if (!item.minimumSystemVersion.isEmpty() &&
            UpdateVersion::compare(candidates.systemVersion, item.minimumSystemVersion) < 0)
            continue;
        if (!UpdateVersion::isNewer(item.version, candidates.currentVersion))
            continue;
        if (!candidates.highestVersionSeen.isEmpty() &&
            UpdateVersion::compare(item.version, candidates.highestVersionSeen) < 0)
            continue;
        if (!newest || UpdateVersion::isNewer(item.version, newest->version))
            newest = item;
    }
    return newest;
}

QDateTime firstAutomaticCheck(const QDateTime& now, const QDateTime& lastCheck,
                              std::chrono::milliseconds interval,
                              std::chrono::milliseconds firstDelay)
{
    const QDateTime due =
        lastCheck.isValid() && lastCheck <= now ? lastCheck.addMSecs(interval.count()) : now;
    return std::max(due, now.addMSecs(firstDelay.count()));
}

bool isOffered(const QString& version, const std::optional<QString>& skippedVersion,
               bool interactive)
{
    return interactive || skippedVersion != version;
}

QString downloadFileName(const QUrl& url)
{
    const QString name = url.fileName();
    return name.isEmpty() || name.startsWith(u'.') ? QStringLiteral("update") : name;
}

QString higherVersion(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() ? b : a;
    return UpdateVersion::compare(a, b) >= 0 ? a : b;
}

} // namespace UpdatePolicy
