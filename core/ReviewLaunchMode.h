#pragma once

#include <QStringList>

// The launch mode of this process, chosen by the options of its command line (read as
// ParsedCommandLine reads it: whole, case-sensitive, none after "--"), and by the program path
// compared whole: "--selftest" wins over "--show-settings"; anything else is an ordinary
// launch. "--pick" selects no mode: such a process only asks the running copy for a pick
// (below).
enum class ReviewLaunchMode
{
    none,
    selftest,
    settings
};

namespace ReviewLaunchModes {

ReviewLaunchMode fromArguments(const QStringList& arguments);
// main()'s arguments as a list, read before any QCoreApplication exists.
QStringList arguments(int argc, char* argv[]);
// Whether this process is a pick request: "--pick" without "--selftest" (a self-test never
// reaches the running copy).
bool requestsPick(const QStringList& arguments);
// The mode of the running process (QCoreApplication::arguments()).
ReviewLaunchMode current();

} // namespace ReviewLaunchModes
