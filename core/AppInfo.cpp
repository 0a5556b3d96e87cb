#include "core/AppInfo.h"

#include "AppInfoValues.h"

#include <optional>

namespace AppInfo {
namespace {

// Main thread only, like every reader of it.
std::optional<QVariantMap>& replacement()
{
    static std::optional<QVariantMap> map;
    return map;
}

} // namespace

QVariantMap builtIn()
{
    return {
        {shortVersionKey, QStringLiteral(MORVANE_APP_VERSION)},
        {feedUrlKey, QStringLiteral(MORVANE_FEED_URL)},
        {publicEdKeyKey, QStringLiteral(MORVANE_PUBLIC_ED_KEY)},
    };
}

QVariantMap current()
{
    return replacement().value_or(builtIn());
}

QVariant value(const QString& key)
{
    return current().value(key);
}

void replace(const QVariantMap& map)
{
    replacement() = map;
}

void restoreBuiltIn()
{
    replacement().reset();
}

namespace {

QString trimmedText(const QVariantMap& map, const QString& key)
{
    const QVariant value = map.value(key);
    return value.typeId() == QMetaType::QString ? value.toString().trimmed() : QString();
}

} // namespace

bool UpdateConfiguration::isValid() const
{
    return !feedUrl.isEmpty() && !publicKey.isEmpty() &&
           !publicKey.startsWith(QLatin1String("REPLACE_"));
}

UpdateConfiguration updateConfiguration(const QVariantMap& map)
{
    return {trimmedText(map, feedUrlKey), trimmedText(map, publicEdKeyKey)};
}

QString shortVersion(const QVariantMap& map)
{
    const QVariant value = map.value(shortVersionKey);
    return value.typeId() == QMetaType::QString ? value.toString() : Constants::fallbackVersion;
}

} // namespace AppInfo

namespace Constants {

QString version()
{
    return AppInfo::shortVersion(AppInfo::current());
}

} // namespace Constants
