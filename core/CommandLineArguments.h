#pragma once

#include "core/commandline/ParsedCommandLine.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

// The command line as the Qt side holds it (main()'s arguments as ReviewLaunchModes::arguments()
// reads them, or QCoreApplication::arguments()), read by the one rule of ParsedCommandLine.
namespace CommandLineArguments {

ParsedCommandLine parse(const QStringList& arguments);

// The argument of the option's first use, as text; none when the option is not given.
std::optional<QString> argumentOf(const ParsedCommandLine& parsed, std::string_view name);

// An option's name as text ("--pick").
QString nameText(std::string_view name);

} // namespace CommandLineArguments
