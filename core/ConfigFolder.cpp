#include "core/ConfigFolder.h"

#include <QDir>

namespace ConfigFolder {

QString home()
{
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        return QDir::homePath() + QStringLiteral("/.config");
    return configHome;
}

QString application()
{
    return home() + QStringLiteral("/morvane");
}

} // namespace ConfigFolder
