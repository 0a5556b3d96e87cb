// Writes the manual page: the template with its marker line replaced by the option list of
// the command-line table, so the page and --help never drift apart.
// Usage: morvane-manual-page TEMPLATE OUTPUT
#include "core/commandline/CommandLineOptions.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr std::string_view marker = ".\\\" OPTIONS";

// A name in roff, its hyphens as minus signs.
std::string roff(std::string_view name)
{
    std::string text;
    for (const char c : name) {
        if (c == '-')
            text += '\\';
        text += c;
    }
    return text;
}

// ".B \-\-pick", ".BI \-\-format " ID"", ".BR \-h ", " \-\-help".
std::string heading(const CommandLineOptions::Option& option)
{
    const std::string name = roff(option.name);
    const std::string argument = option.argument ? std::string(" \" ") + option.argument + '"' : "";
    if (!option.shortName.empty())
        return ".BR " + roff(option.shortName) + " \", \" " + name + argument;
    return (option.argument ? ".BI " : ".B ") + name + argument;
}

std::string optionList()
{
    std::string list;
    for (const CommandLineOptions::Option& option : CommandLineOptions::all()) {
        if (option.help)
            list += ".TP\n" + heading(option) + '\n' + option.manual + '\n';
    }
    return list;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: morvane-manual-page TEMPLATE OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream input(argv[1]);
    std::ostringstream page;
    int markers = 0;
    for (std::string line; std::getline(input, line);) {
        if (line == marker) {
            page << optionList();
            ++markers;
        } else {
            page << line << '\n';
        }
    }
    if (!input.eof() || markers != 1) {
        std::fprintf(stderr, "morvane-manual-page: %s: cannot be read, or holds not one line %s\n",
                     argv[1], std::string(marker).c_str());
        return 1;
    }
    std::ofstream output(argv[2], std::ios::trunc);
    output << page.str();
    output.close();
    if (!output) {
        std::fprintf(stderr, "morvane-manual-page: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
