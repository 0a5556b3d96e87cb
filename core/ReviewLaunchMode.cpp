#include "ReviewLaunchMode.h"

#include <QCoreApplication>

namespace ReviewLaunchModes {

ReviewLaunchMode fromArguments(const QStringList& arguments)
{
    if (arguments.contains(selftestArgument))
        return ReviewLaunchMode::selftest;
    if (arguments.contains(settingsArgument))
        return ReviewLaunchMode::settings;
    return ReviewLaunchMode::none;
}

ReviewLaunchMode current()
{
    return fromArguments(QCoreApplication::arguments());
}

} // namespace ReviewLaunchModes
