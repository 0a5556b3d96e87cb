#pragma once

#include "core/FormatPreferences.h"

#include <QStringList>

#include <optional>

class QTextStream;

// The command-line notations, none of which needs a display:
//   --list-formats                 every format's id, label and example, one a line: the
//                                  built-in notations, then the user's templates
//   --convert COLOR [--format ID]  COLOR (in any notation that can be read) in format ID,
//                                  hex when no --format is given
//   --convert - [--format ID]      one colour a line from standard input, one line out for
//                                  each line in; a line that is no colour is named by its
//                                  number on standard error and leaves an empty line out,
//                                  so the output stays line for line with the input
// The formats are those of `formats` (CommandLineFormats). Exit status 0, or 2 after a
// usage error or any line that was no colour. The arguments are read as ParsedCommandLine
// reads them; the first element of the list is the program path.
namespace ConvertCommand {

inline constexpr int usageError = 2;

// Whether the arguments ask for --convert or --list-formats.
bool requested(const QStringList& arguments);

// The format --format names, hex without the option. None, with the reason written to
// `err`, when the command line is refused or the option names no format.
std::optional<ColorFormat> chosenFormat(const QStringList& arguments,
                                        const FormatPreferences& formats, QTextStream& err);

// Runs the command; returns the exit status.
int run(const QStringList& arguments, const FormatPreferences& formats, QTextStream& in,
        QTextStream& out, QTextStream& err);

// run() on the process's standard streams.
int exec(const QStringList& arguments, const FormatPreferences& formats);

} // namespace ConvertCommand
