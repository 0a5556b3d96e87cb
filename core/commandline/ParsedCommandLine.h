#pragma once

#include "core/commandline/CommandLineOptions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A command line read by the option table (CommandLineOptions), the one rule every process
// of the program follows. The first argument is the program path and is not read. Up to
// "--", an argument that begins with "-" (but is not "-" alone) is an option: one of ours, or
// one of Qt's (whose argument, when it takes one, is skipped with it). After "--" nothing is
// an option. Arguments that are no options are ignored.
//
// An option of ours that takes an argument takes the next one, whatever it is, unless that
// is "--" or there is none. Refused (problem() says why, refusal() prints it): an option the
// table does not know (names compare whole and case-sensitively: "--selftest=1" is unknown),
// and one of ours whose argument is missing or empty. Parsing goes on after a problem, so
// the options around it are still known; the first problem is the one reported.
class ParsedCommandLine
{
public:
    struct Given
    {
        const CommandLineOptions::Option* option;
        std::string argument;
    };

    static ParsedCommandLine parse(const std::vector<std::string>& arguments);
    static ParsedCommandLine parse(int argc, const char* const argv[]);

    // The options given, in order.
    const std::vector<Given>& given() const { return m_given; }
    bool has(std::string_view name) const;
    // The argument of the option's first use; none when it is not given.
    std::optional<std::string> argumentOf(std::string_view name) const;
    // Whether some option is given and each is handled by `handler`.
    bool onlyFor(CommandLineOptions::Handler handler) const;

    // Why the command line is refused; empty when it is not.
    const std::string& problem() const { return m_problem; }
    // The line (with its newline) a refused command line prints on standard error before
    // the process exits with status 2.
    std::string refusal() const;

    static constexpr int refusalStatus = 2;

private:
    template <typename Arguments> static ParsedCommandLine parseAll(const Arguments& arguments);
    void refuse(std::string problem);

    std::vector<Given> m_given;
    std::string m_problem;
};
