#include "core/CommandLineReply.h"

#include "core/CommandLineArguments.h"

#include <QCoreApplication>

namespace {

// Where the descriptions begin, after two blanks and the option's names; names that reach
// it push the first line of theirs two blanks past them.
constexpr qsizetype descriptionColumn = 19;

// A text of the table, which marks it for translation under this context.
QString translated(const char* text)
{
    return QCoreApplication::translate("CommandLineReply", text);
}

// "  --format ID      with --pick or --convert: ...", continued lines indented to match.
QString optionRows(const CommandLineOptions::Option& option)
{
    QString names = CommandLineArguments::nameText(option.name);
    if (!option.shortName.empty())
        names = CommandLineArguments::nameText(option.shortName) + QLatin1String(", ") + names;
    if (option.argument)
        names += u' ' + translated(option.argument);
    constexpr qsizetype width = descriptionColumn - 2;
    QString rows = QLatin1String("  ") + (names.size() < width ? names.leftJustified(width)
                                                               : names + QLatin1String("  "));
    const QString indent(descriptionColumn, u' ');
    const QStringList lines = translated(option.help).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        rows += (i == 0 ? QString() : indent) + lines.at(i) + u'\n';
    return rows;
}

QString help()
{
    QString text =
        QCoreApplication::translate("CommandLineReply",
                                    "Usage: morvane-color-picker [OPTION]\n"
                                    "Pick any color on your screen, right from the tray.\n") +
        u'\n';
    for (const CommandLineOptions::Option& option : CommandLineOptions::all()) {
        if (option.help)
            text += optionRows(option);
    }
    return text + u'\n' +
           QCoreApplication::translate(
               "CommandLineReply",
               "Without an option the picker starts in the tray; a second launch opens\n"
               "the running copy's panel.\n");
}

} // namespace

std::optional<QString> commandLineReply(const QStringList& arguments, const QString& version)
{
    const ParsedCommandLine parsed = CommandLineArguments::parse(arguments);
    for (const ParsedCommandLine::Given& given : parsed.given()) {
        if (given.option->name == CommandLineOptions::help)
            return help();
        if (given.option->name == CommandLineOptions::version)
            return QCoreApplication::translate("CommandLineReply", "Morvane Color Picker %1\n")
                .arg(version);
    }
    return std::nullopt;
}
