#include "core/ReviewLaunchMode.h"

#include "core/CommandLineArguments.h"

#include <QCoreApplication>

namespace ReviewLaunchModes {

ReviewLaunchMode fromArguments(const QStringList& arguments)
{
    const ParsedCommandLine parsed = CommandLineArguments::parse(arguments);
    const auto given = [&](std::string_view option) {
        return parsed.has(option) || (!arguments.isEmpty() &&
                                      arguments.first() == CommandLineArguments::nameText(option));
    };
    if (given(CommandLineOptions::selftest))
        return ReviewLaunchMode::selftest;
    if (given(CommandLineOptions::showSettings))
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
    return CommandLineArguments::parse(arguments).has(CommandLineOptions::pick) &&
           fromArguments(arguments) != ReviewLaunchMode::selftest;
}

ReviewLaunchMode current()
{
    return fromArguments(QCoreApplication::arguments());
}

} // namespace ReviewLaunchModes
