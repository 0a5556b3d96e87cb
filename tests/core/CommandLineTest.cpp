// The command line's one rule (ParsedCommandLine over the option table), and the manual page
// written from the same table.
#include "core/commandline/CommandLineOptions.h"
#include "core/commandline/ParsedCommandLine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Given = std::vector<std::pair<std::string, std::string>>; // name, argument

std::vector<std::string> commandLine(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "/usr/bin/morvane-color-picker");
    return arguments;
}

Given givenOf(const ParsedCommandLine& parsed)
{
    Given given;
    for (const ParsedCommandLine::Given& option : parsed.given())
        given.emplace_back(option.option->name, option.argument);
    return given;
}

// The way the executable parses: main()'s argc and argv.
ParsedCommandLine parsedAsMain(const std::vector<std::string>& arguments)
{
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    return ParsedCommandLine::parse(int(arguments.size()), argv.data());
}

const std::string unknownList = " (options: --pick, --format ID, --convert COLOR, --list-formats, "
                                "--show-settings, --selftest, -h, --help, --version)";

} // namespace

TEST(ParsedCommandLine, ReadsOptionsByTheTableUpToTheEndOfOptions)
{
    const struct
    {
        const char* name;
        std::vector<std::string> arguments;
        Given given;
        std::string problem;
    } cases[] = {
        {"nothing", {}, {}, ""},
        {"options with and without an argument",
         {"--pick", "--format", "oklch"},
         {{"--pick", ""}, {"--format", "oklch"}},
         ""},
        {"-h is --help", {"-h", "--version"}, {{"--help", ""}, {"--version", ""}}, ""},
        {"an argument is the next one, whatever it is",
         {"--convert", "-", "--format", "--pick"},
         {{"--convert", "-"}, {"--format", "--pick"}},
         ""},
        {"nothing after -- is an option",
         {"--selftest", "--", "--show-settings", "--bogus", "--"},
         {{"--selftest", ""}},
         ""},
        {"-- alone", {"--", "--help"}, {}, ""},
        {"words and - are no options",
         {"stray", "-", "--show-settings"},
         {{"--show-settings", ""}},
         ""},
        {"the internal pick at start", {"--pick-at-start"}, {{"--pick-at-start", ""}}, ""},
        {"an option of ours compares whole",
         {"--selftest=1"},
         {},
         "unknown option \"--selftest=1\""},
        {"and case-sensitively", {"--SelfTest"}, {}, "unknown option \"--SelfTest\""},
        {"with its dashes", {"-selftest"}, {}, "unknown option \"-selftest\""},
        {"and nothing around it", {"--show-settings "}, {}, "unknown option \"--show-settings \""},
        {"our option does not take =", {"--format=hsv"}, {}, "unknown option \"--format=hsv\""},
        {"a single letter", {"-x"}, {}, "unknown option \"-x\""},
        {"the first problem is reported, the rest still read",
         {"--bogus", "--selftest", "-y"},
         {{"--selftest", ""}},
         "unknown option \"--bogus\""},
        {"a missing argument at the end",
         {"--convert", "#3A7BD5", "--format"},
         {{"--convert", "#3A7BD5"}, {"--format", ""}},
         "--format needs a format id"},
        {"a missing argument before --",
         {"--convert", "--", "#3A7BD5"},
         {{"--convert", ""}},
         "--convert needs a color, or - to read standard input"},
        {"an empty argument", {"--format", ""}, {{"--format", ""}}, "--format needs a format id"},
        {"Qt's options, their arguments skipped",
         {"-platform", "offscreen", "--display", ":1", "-style=fusion", "-reverse",
          "-qwindowgeometry", "640x480", "-qwindowtitle", "-x", "-session", "abc", "-name", "n",
          "--selftest"},
         {{"-platform", "offscreen"},
          {"-display", ":1"},
          {"-style", ""},
          {"-reverse", ""},
          {"-qwindowgeometry", "640x480"},
          {"-qwindowtitle", "-x"},
          {"-session", "abc"},
          {"-name", "n"},
          {"--selftest", ""}},
         ""},
        {"the debugger's port only with =",
         {"-qmljsdebugger=port:1234", "-qmljsdebugger", "--pick"},
         {{"-qmljsdebugger", ""}, {"-qmljsdebugger", ""}, {"--pick", ""}},
         ""},
        {"= on a name Qt does not know", {"-bogus=1"}, {}, "unknown option \"-bogus=1\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> arguments = commandLine(c.arguments);
        for (const ParsedCommandLine& parsed :
             {ParsedCommandLine::parse(arguments), parsedAsMain(arguments)}) {
            EXPECT_EQ(givenOf(parsed), c.given);
            const std::string problem =
                parsed.problem().starts_with("unknown option")
                    ? parsed.problem().substr(0, parsed.problem().size() - unknownList.size())
                    : parsed.problem();
            EXPECT_EQ(problem, c.problem) << parsed.problem();
            if (!c.problem.empty()) {
                EXPECT_EQ(parsed.refusal(), "morvane-color-picker: " + parsed.problem() + "\n");
            }
        }
    }
}

// One line: the option and the options --help lists, in its order, hidden ones left out.
TEST(ParsedCommandLine, RefusesAnUnknownOptionWithTheList)
{
    const ParsedCommandLine parsed = ParsedCommandLine::parse(commandLine({"--pick", "--bogus"}));
    EXPECT_EQ(parsed.refusal(),
              "morvane-color-picker: unknown option \"--bogus\"" + unknownList + "\n");
    EXPECT_EQ(ParsedCommandLine::refusalStatus, 2);
}

// Only "--pick" by itself is the executable's own to answer.
TEST(ParsedCommandLine, TellsWhenTheLauncherHandlesEverything)
{
    const struct
    {
        std::vector<std::string> arguments;
        bool launcher;
    } cases[] = {
        {{"--pick"}, true},
        {{"--pick", "--pick"}, true},
        {{"--pick", "stray"}, true},
        {{"--pick", "--", "--format"}, true},
        {{}, false},
        {{"stray"}, false},
        {{"--pick", "--format", "hsv"}, false},
        {{"--pick", "--selftest"}, false},
        {{"--pick", "-platform", "xcb"}, false},
        {{"--pick-at-start"}, false},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = ParsedCommandLine::parse(commandLine(c.arguments));
        EXPECT_EQ(parsed.onlyFor(CommandLineOptions::Handler::launcher), c.launcher)
            << ::testing::PrintToString(c.arguments);
    }
}

namespace {

// "\-\-format" as typed.
std::string plain(std::string text)
{
    for (std::size_t at; (at = text.find("\\-")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

// The option list of the built manual page: for each .TP entry, its heading as typed
// ("--format ID", "-h, --help").
std::vector<std::string> manualOptions()
{
    std::ifstream page(MORVANE_MANUAL_PAGE);
    EXPECT_TRUE(page.good()) << MORVANE_MANUAL_PAGE;
    std::vector<std::string> headings;
    bool inOptions = false;
    bool heading = false;
    for (std::string line; std::getline(page, line);) {
        if (line.starts_with(".SH "))
            inOptions = line == ".SH OPTIONS";
        else if (inOptions && line == ".TP")
            heading = true;
        else if (heading) {
            heading = false;
            std::istringstream words(line);
            std::string macro;
            std::string word;
            std::string typed;
            words >> macro;
            while (words >> std::quoted(word))
                typed += word;
            headings.push_back(plain(typed));
        }
    }
    return headings;
}

} // namespace

// The page lists the options --help lists, in the same order, with the same arguments (an
// option may add entries for its other forms, as "--convert -").
TEST(CommandLineOptions, TheManualPageListsTheTable)
{
    std::vector<std::string> expected;
    for (const CommandLineOptions::Option& option : CommandLineOptions::all()) {
        if (!option.help)
            continue;
        std::string typed = option.shortName.empty() ? "" : std::string(option.shortName) + ", ";
        typed += option.name;
        if (option.argument)
            typed += std::string(" ") + option.argument;
        expected.push_back(typed);
        if (option.name == CommandLineOptions::convert)
            expected.push_back("--convert -");
    }
    EXPECT_EQ(manualOptions(), expected);
}
