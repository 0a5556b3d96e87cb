#include "core/commandline/CommandLineOptions.h"

#include <iterator>

// Marks the texts Qt Linguist collects (under the context of CommandLineReply, which
// translates them when it writes --help); the table itself stays free of Qt.
#define QT_TRANSLATE_NOOP(scope, text) text

namespace CommandLineOptions {

namespace {

using enum Handler;

constexpr Option ours[] = {
    {
        .name = pick,
        .handler = launcher,
        .help = QT_TRANSLATE_NOOP("CommandLineReply",
                                  "pick a color in the running copy (starting one if need\n"
                                  "be), print its hex and exit; exit status 1 when cancelled"),
        .manual =
            R"roff(Ask the running copy to start a pick (starting one in the tray when none runs),
print the picked hex code on standard output and exit with status 0.
When the pick is cancelled or picking is unavailable, print nothing on standard output,
a one\-line reason on standard error, and exit with status 1.
So does a pick whose hex code standard output does not take (closed, full, a reader gone;
the line on standard error then names the color), and a request with no copy running and
no display to start one on.
The color is adopted as any pick is: clipboard, recent colors and preferences.)roff",
    },
    {
        .name = format,
        .argument = QT_TRANSLATE_NOOP("CommandLineReply", "ID"),
        .missing = "a format id",
        .handler = command,
        .help = QT_TRANSLATE_NOOP("CommandLineReply",
                                  "with --pick or --convert: print the color in notation ID\n"
                                  "instead of hex"),
        .manual = R"roff(With
.B \-\-pick
or
.BR \-\-convert ,
print the color in notation
.I ID
(see
.BR \-\-list\-formats ,
which lists the templates made in the settings too)
instead of its hex code.
An unknown
.I ID
ends the program with status 2 before anything is picked or converted.)roff",
    },
    {
        .name = convert,
        .argument = QT_TRANSLATE_NOOP("CommandLineReply", "COLOR"),
        .missing = "a color, or - to read standard input",
        .handler = command,
        .help = QT_TRANSLATE_NOOP("CommandLineReply",
                                  "print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in\n"
                                  "another notation, without a display; with - read one\n"
                                  "color a line from standard input (exit status 2 when a\n"
                                  "line is no color)"),
        .manual = R"roff(Print
.I COLOR
in another notation (hex without
.BR \-\-format )
and exit; no display is needed.
.I COLOR
may be written as hex
.RB ( #3A7BD5 ", " #3a7bd5 ", " 3A7BD5 ),
RGB
.RB ( "58, 123, 213" ),
CSS
.B "rgb(58 123 213)"
or
.BR "rgb(58, 123, 213)" ,
.BR "vec3(0.2275, 0.4824, 0.8353)" ,
a decimal integer
.RB ( 3832789 ),
.B 0x3A7BD5
or
.BR 0xFF3A7BD5 ,
or a CSS color keyword
.RB ( rebeccapurple ", " grey );
six digits are read as hex.
Notations that round (HSL, HSV, CMYK, OKLab and the like, and an approximate name
such as \(dq\(~~ navy\(dq) are written, not read.
.TP
.B "\-\-convert \-"
Read one color a line from standard input and write one line for each:
its conversion, or an empty line for a line that is no color, which is also named by its
line number on standard error; the exit status is then 2.)roff",
    },
    {
        .name = listFormats,
        .handler = command,
        .help = QT_TRANSLATE_NOOP("CommandLineReply", "list the notation ids and labels"),
        .manual =
            R"roff(Print every notation's id, its label in the panel and the example #3A7BD5 in it,
one a line; then, the same way, each template made in the settings.)roff",
    },
    {
        .name = showSettings,
        .handler = application,
        .help = QT_TRANSLATE_NOOP("CommandLineReply", "open the settings window"),
        .manual = R"roff(Open the settings window; the program quits when the window closes.)roff",
    },
    {
        .name = selftest,
        .handler = application,
        .help =
            QT_TRANSLATE_NOOP("CommandLineReply", "check that the application starts, then quit"),
        .manual =
            R"roff(Check that the application starts, log one line to the journal, and exit with status 0.
No tray item or window is shown, and no display is needed.)roff",
    },
    {
        .name = help,
        .shortName = "-h",
        .handler = command,
        .help = QT_TRANSLATE_NOOP("CommandLineReply", "show this help and exit"),
        .manual = R"roff(Show a short help on standard output and exit.)roff",
    },
    {
        .name = version,
        .handler = command,
        .help = QT_TRANSLATE_NOOP("CommandLineReply", "show the version and exit"),
        .manual = R"roff(Show the version on standard output and exit.)roff",
    },
    {.name = pickAtStart, .handler = application},
};

// One of Qt's options: handled by the application, left out of --help and the manual page.
constexpr Option qtOption(std::string_view name, const char* argument = nullptr)
{
    return {.name = name, .argument = argument, .handler = application};
}

// Qt's documented options, for every application (QGuiApplication, QApplication) and on X11.
// Those with an argument name it, so that it is not read as one of ours; -qmljsdebugger
// takes its own only as -qmljsdebugger=PORT.
constexpr Option qtOwn[] = {
    qtOption("-platform", "NAME"),
    qtOption("-platformpluginpath", "PATH"),
    qtOption("-platformtheme", "NAME"),
    qtOption("-plugin", "NAME"),
    qtOption("-qmljsdebugger"),
    qtOption("-qwindowgeometry", "GEOMETRY"),
    qtOption("-qwindowicon", "ICON"),
    qtOption("-qwindowtitle", "TITLE"),
    qtOption("-reverse"),
    qtOption("-session", "SESSION"),
    qtOption("-style", "STYLE"),
    qtOption("-stylesheet", "FILE"),
    qtOption("-widgetcount"),
    qtOption("-display", "DISPLAY"),
    qtOption("-geometry", "GEOMETRY"),
    qtOption("-name", "NAME"),
    qtOption("-title", "TITLE"),
    qtOption("-icon", "ICON"),
    qtOption("-sync"),
    qtOption("-nograb"),
    qtOption("-dograb"),
};

} // namespace

std::span<const Option> all()
{
    return ours;
}

const Option* find(std::string_view name)
{
    for (const Option& option : ours) {
        if (option.name == name || (!option.shortName.empty() && option.shortName == name))
            return &option;
    }
    return findQt(name);
}

const Option* findQt(std::string_view name)
{
    // Qt reads "--platform" as "-platform".
    if (name.starts_with("--"))
        name.remove_prefix(1);
    for (const Option& option : qtOwn) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

} // namespace CommandLineOptions
