#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The informational options a Linux user expects: "--help" (or "-h") and "--version", the
// first of them given winning. They select no launch mode; when one is present the process
// prints the reply to standard output and exits with status 0 before starting the
// application. The help lists the options of the command-line table (CommandLineOptions),
// each text translated. The first element of the list is the program path.
std::optional<QString> commandLineReply(const QStringList& arguments, const QString& version);
