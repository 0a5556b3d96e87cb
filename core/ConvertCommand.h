#pragma once

#include <QStringList>

#include <optional>

class QTextStream;
struct Notation;

// The command-line notations, none of which needs a display:
//   --list-formats                 every notation's id and label, one a line
//   --convert COLOR [--format ID]  COLOR (in any notation that can be read) in notation ID,
//                                  hex when no --format is given
//   --convert - [--format ID]      one colour a line from standard input, one line out for
//                                  each line in; a line that is no colour is named by its
//                                  number on standard error and leaves an empty line out,
//                                  so the output stays line for line with the input
// Exit status 0, or 2 after a usage error or any line that was no colour. Arguments after
// "--" are not options; the first element of the list is the program path.
namespace ConvertCommand {

inline const QString convertArgument = QStringLiteral("--convert");
inline const QString formatArgument = QStringLiteral("--format");
inline const QString listFormatsArgument = QStringLiteral("--list-formats");
inline constexpr int usageError = 2;

// Whether the arguments ask for --convert or --list-formats.
bool requested(const QStringList& arguments);

// The notation --format names, hex without the option. None, with the reason written to
// `err`, when the option has no value or names no notation.
std::optional<const Notation*> chosenNotation(const QStringList& arguments, QTextStream& err);

// Runs the command; returns the exit status.
int run(const QStringList& arguments, QTextStream& in, QTextStream& out, QTextStream& err);

// run() on the process's standard streams.
int exec(const QStringList& arguments);

} // namespace ConvertCommand
