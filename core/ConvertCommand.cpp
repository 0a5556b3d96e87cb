#include "ConvertCommand.h"

#include "Notations.h"

#include <QTextStream>

#include <cstdio>

namespace ConvertCommand {

namespace {

// The options before "--".
QStringList options(const QStringList& arguments)
{
    QStringList result = arguments.mid(1);
    const qsizetype end = result.indexOf(QStringLiteral("--"));
    return end < 0 ? result : result.first(end);
}

// The value after `option`: none without the option, an empty text when nothing follows it.
std::optional<QString> valueOf(const QStringList& options, const QString& option)
{
    const qsizetype at = options.indexOf(option);
    if (at < 0)
        return std::nullopt;
    return at + 1 < options.size() ? options.at(at + 1) : QString();
}

int fail(QTextStream& err, const QString& reason)
{
    err << "morvane-color-picker: " << reason << Qt::endl;
    return usageError;
}

void listFormats(QTextStream& out)
{
    const PickedColor example{58, 123, 213};
    for (const Notation& notation : Notations::all()) {
        out << qSetFieldWidth(16) << Qt::left << notation.idText() << qSetFieldWidth(8)
            << notation.labelText() << qSetFieldWidth(0) << notation.format(example) << '\n';
    }
    out.flush();
}

// One colour a line; empty output lines keep the places of refused ones.
int convertLines(const Notation& notation, QTextStream& in, QTextStream& out, QTextStream& err)
{
    int status = 0;
    QString line;
    for (long long number = 1; in.readLineInto(&line); ++number) {
        if (const std::optional<PickedColor> color = Notations::parse(line)) {
            out << notation.format(*color) << '\n';
        } else {
            out << '\n';
            err << "morvane-color-picker: line " << number << " is no color: " << line << Qt::endl;
            status = usageError;
        }
    }
    out.flush();
    return status;
}

} // namespace

bool requested(const QStringList& arguments)
{
    const QStringList given = options(arguments);
    return given.contains(convertArgument) || given.contains(listFormatsArgument);
}

std::optional<const Notation*> chosenNotation(const QStringList& arguments, QTextStream& err)
{
    const std::optional<QString> id = valueOf(options(arguments), formatArgument);
    if (!id)
        return &Notations::hex();
    if (const Notation* notation = Notations::find(*id))
        return notation;
    fail(err, id->isEmpty()
                  ? QStringLiteral("--format needs a format id")
                  : QStringLiteral("unknown format \"%1\" (--list-formats lists them)").arg(*id));
    return std::nullopt;
}

int run(const QStringList& arguments, QTextStream& in, QTextStream& out, QTextStream& err)
{
    const QStringList given = options(arguments);
    if (given.contains(listFormatsArgument)) {
        listFormats(out);
        return 0;
    }
    const std::optional<const Notation*> notation = chosenNotation(arguments, err);
    if (!notation)
        return usageError;
    const QString color = valueOf(given, convertArgument).value_or(QString());
    if (color.isEmpty())
        return fail(err, QStringLiteral("--convert needs a color, or - to read standard input"));
    if (color == QLatin1String("-"))
        return convertLines(**notation, in, out, err);
    const std::optional<PickedColor> parsed = Notations::parse(color);
    if (!parsed)
        return fail(err, QStringLiteral("not a color: %1").arg(color));
    out << (*notation)->format(*parsed) << Qt::endl;
    return 0;
}

int exec(const QStringList& arguments)
{
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return run(arguments, in, out, err);
}

} // namespace ConvertCommand
