#pragma once

#include <span>
#include <string_view>

// The command line's one table: every option of the executable, with its argument, its
// --help text, its entry in the manual page and the process that handles it. Plain C++, so
// the executable reads it before any Qt library is loaded. --help (CommandLineReply) and the
// manual page's option list (generated at build time) are written from it; ParsedCommandLine
// reads arguments by it.
namespace CommandLineOptions {

// Which process acts on an option.
enum class Handler
{
    launcher,    // the executable itself, without loading the application (where it can)
    command,     // the application module, as a command that opens no display
    application, // the application proper, with a display
};

struct Option
{
    std::string_view name = {};      // "--format"
    std::string_view shortName = {}; // "-h", or empty
    // What follows it, as --help names it ("ID"); null for an option that takes none.
    const char* argument = nullptr;
    // What a missing or empty argument is called in the refusal ("needs a format id"); null
    // where Qt's own option may go without one.
    const char* missing = nullptr;
    Handler handler = Handler::application;
    // --help's description, broken into lines as printed; null for an option --help and the
    // manual page leave out.
    const char* help = nullptr;
    // The description in the manual page's option list (roff). Entries for other forms of
    // the option may follow it, each beginning with .TP (as "--convert -" does).
    const char* manual = nullptr;
};

inline constexpr std::string_view pick = "--pick";
inline constexpr std::string_view format = "--format";
inline constexpr std::string_view convert = "--convert";
inline constexpr std::string_view listFormats = "--list-formats";
inline constexpr std::string_view showSettings = "--show-settings";
inline constexpr std::string_view selftest = "--selftest";
inline constexpr std::string_view help = "--help";
inline constexpr std::string_view version = "--version";
// The argument of a copy started for a "--pick" that found none running: it begins the pick
// as soon as it holds the single-instance channel, before its tray icon, and the pick
// request joins it. Not for users.
inline constexpr std::string_view pickAtStart = "--pick-at-start";
// After it, nothing is an option.
inline constexpr std::string_view endOfOptions = "--";

// Our options, in the order --help and the manual page list them (hidden ones last).
std::span<const Option> all();

// Ours by name or short name, else Qt's (findQt()), else null.
const Option* find(std::string_view name);
// One of the options Qt's application classes read (-platform, -display, -style...), by
// its name in the "-name" or the "--name" form; null when Qt has no such option.
const Option* findQt(std::string_view name);

} // namespace CommandLineOptions
