#include "AppInfo.h"

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

} // namespace AppInfo

namespace Constants {

QString version()
{
    const QVariant value = AppInfo::value(AppInfo::shortVersionKey);
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return fallbackVersion;
}

} // namespace Constants
