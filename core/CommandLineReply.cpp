#include "CommandLineReply.h"

#include <QCoreApplication>

std::optional<QString> commandLineReply(const QStringList& arguments, const QString& version)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return QCoreApplication::translate(
                "CommandLineReply",
                "Usage: morvane-color-picker [OPTION]\n"
                "Pick any color on your screen, right from the tray.\n"
                "\n"
                "  --pick           pick a color in the running copy (starting one if need\n"
                "                   be), print its hex and exit; exit status 1 when cancelled\n"
                "  --format ID      with --pick or --convert: print the color in notation ID\n"
                "                   instead of hex\n"
                "  --convert COLOR  print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in\n"
                "                   another notation, without a display; with - read one\n"
                "                   color a line from standard input (exit status 2 when a\n"
                "                   line is no color)\n"
                "  --list-formats   list the notation ids and labels\n"
                "  --show-settings  open the settings window\n"
                "  --selftest       check that the application starts, then quit\n"
                "  -h, --help       show this help and exit\n"
                "  --version        show the version and exit\n"
                "\n"
                "Without an option the picker starts in the tray; a second launch opens\n"
                "the running copy's panel.\n");
        }
        if (argument == QLatin1String("--version"))
            return QCoreApplication::translate("CommandLineReply", "Morvane Color Picker %1\n")
                .arg(version);
    }
    return std::nullopt;
}
