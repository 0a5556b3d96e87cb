#include "core/ConvertCommand.h"

#include "core/CommandLineArguments.h"
#include "core/Notations.h"

#include <QTextStream>

#include <cstdio>

namespace ConvertCommand {

namespace {

int fail(QTextStream& err, const QString& reason)
{
    err << "morvane-color-picker: " << reason << Qt::endl;
    return usageError;
}

// The refusal of a command line the table does not accept; false when it is accepted.
bool refused(const ParsedCommandLine& parsed, QTextStream& err)
{
    if (parsed.problem().empty())
        return false;
    err << QString::fromStdString(parsed.refusal()) << Qt::flush;
    return true;
}

// `text` and blanks up to `width`, and at least one.
QString column(const QString& text, qsizetype width)
{
    return text.leftJustified(width - 1) + u' ';
}

void listFormats(const FormatPreferences& formats, QTextStream& out)
{
    const PickedColor example{58, 123, 213};
    for (const ColorFormat& format : formats.available())
        out << column(format.id, 16) << column(format.label, 8) << format.format(example) << '\n';
    out.flush();
}

// One colour a line; empty output lines keep the places of refused ones.
int convertLines(const ColorFormat& format, QTextStream& in, QTextStream& out, QTextStream& err)
{
    int status = 0;
    QString line;
    for (long long number = 1; in.readLineInto(&line); ++number) {
        if (const std::optional<PickedColor> color = Notations::parse(line)) {
            out << format.format(*color) << '\n';
        } else {
            out << '\n';
            err << "morvane-color-picker: line " << number << " is no color: " << line << Qt::endl;
            status = usageError;
        }
    }
    out.flush();
    return status;
}

std::optional<ColorFormat> chosenFormat(const ParsedCommandLine& parsed,
                                        const FormatPreferences& formats, QTextStream& err)
{
    if (refused(parsed, err))
        return std::nullopt;
    const QString id = CommandLineArguments::argumentOf(parsed, CommandLineOptions::format)
                           .value_or(Notations::hex().idText());
    if (std::optional<ColorFormat> format = formats.find(id))
        return format;
    fail(err, QStringLiteral("unknown format \"%1\" (--list-formats lists them)").arg(id));
    return std::nullopt;
}

} // namespace

bool requested(const QStringList& arguments)
{
    const ParsedCommandLine parsed = CommandLineArguments::parse(arguments);
    return parsed.has(CommandLineOptions::convert) || parsed.has(CommandLineOptions::listFormats);
}

std::optional<ColorFormat> chosenFormat(const QStringList& arguments,
                                        const FormatPreferences& formats, QTextStream& err)
{
    return chosenFormat(CommandLineArguments::parse(arguments), formats, err);
}

int run(const QStringList& arguments, const FormatPreferences& formats, QTextStream& in,
        QTextStream& out, QTextStream& err)
{
    const ParsedCommandLine parsed = CommandLineArguments::parse(arguments);
    if (refused(parsed, err))
        return usageError;
    if (parsed.has(CommandLineOptions::listFormats)) {
        listFormats(formats, out);
        return 0;
    }
    const std::optional<ColorFormat> format = chosenFormat(parsed, formats, err);
    if (!format)
        return usageError;
    // Present and not empty: the command line is refused otherwise.
    const QString color =
        CommandLineArguments::argumentOf(parsed, CommandLineOptions::convert).value_or(QString());
    if (color == QLatin1String("-"))
        return convertLines(*format, in, out, err);
    const std::optional<PickedColor> parsedColor = Notations::parse(color);
    if (!parsedColor)
        return fail(err, QStringLiteral("not a color: %1").arg(color));
    out << format->format(*parsedColor) << Qt::endl;
    return 0;
}

int exec(const QStringList& arguments, const FormatPreferences& formats)
{
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return run(arguments, formats, in, out, err);
}

} // namespace ConvertCommand
