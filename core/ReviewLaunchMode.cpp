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

QStringList arguments(int argc, char* argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

bool requestsPick(const QStringList& arguments)
{
    return arguments.contains(pickArgument) &&
           fromArguments(arguments) != ReviewLaunchMode::selftest;
}

ReviewLaunchMode current()
{
    return fromArguments(QCoreApplication::arguments());
}

} // namespace ReviewLaunchModes
