#include "core/commandline/ParsedCommandLine.h"

#include <span>

namespace {

using CommandLineOptions::Option;

// "unknown option "--x" (options: --pick, --format ID, ...)": the options --help lists.
std::string unknownOption(std::string_view argument)
{
    std::string text = "unknown option \"";
    text.append(argument);
    text.append("\" (options:");
    const char* separator = " ";
    for (const Option& option : CommandLineOptions::all()) {
        if (!option.help)
            continue;
        for (const std::string_view name : {option.shortName, option.name}) {
            if (name.empty())
                continue;
            text.append(separator).append(name);
            separator = ", ";
        }
        if (option.argument)
            text.append(" ").append(option.argument);
    }
    return text + ")";
}

// A Qt option with its value attached ("-style=fusion").
const Option* qtOptionWithValue(std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    return equals == std::string_view::npos
               ? nullptr
               : CommandLineOptions::findQt(argument.substr(0, equals));
}

} // namespace

template <typename Arguments>
ParsedCommandLine ParsedCommandLine::parseAll(const Arguments& arguments)
{
    ParsedCommandLine parsed;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == CommandLineOptions::endOfOptions)
            break;
        if (argument.size() < 2 || argument.front() != '-')
            continue;
        Given given{CommandLineOptions::find(argument), {}};
        if (!given.option) {
            given.option = qtOptionWithValue(argument);
            if (!given.option)
                parsed.refuse(unknownOption(argument));
            else
                parsed.m_given.push_back(std::move(given));
            continue;
        }
        if (given.option->argument && i + 1 < arguments.size() &&
            std::string_view(arguments[i + 1]) != CommandLineOptions::endOfOptions)
            given.argument = arguments[++i];
        if (given.option->missing && given.argument.empty())
            parsed.refuse(std::string(given.option->name) + " needs " + given.option->missing);
        parsed.m_given.push_back(std::move(given));
    }
    return parsed;
}

ParsedCommandLine ParsedCommandLine::parse(const std::vector<std::string>& arguments)
{
    return parseAll(arguments);
}

ParsedCommandLine ParsedCommandLine::parse(int argc, const char* const argv[])
{
    return parseAll(std::span(argv, argc < 0 ? 0 : std::size_t(argc)));
}

bool ParsedCommandLine::has(std::string_view name) const
{
    return argumentOf(name).has_value();
}

std::optional<std::string> ParsedCommandLine::argumentOf(std::string_view name) const
{
    for (const Given& given : m_given) {
        if (given.option->name == name)
            return given.argument;
    }
    return std::nullopt;
}

bool ParsedCommandLine::onlyFor(CommandLineOptions::Handler handler) const
{
    if (m_given.empty())
        return false;
    for (const Given& given : m_given) {
        if (given.option->handler != handler)
            return false;
    }
    return true;
}

std::string ParsedCommandLine::refusal() const
{
    return "morvane-color-picker: " + m_problem + "\n";
}

void ParsedCommandLine::refuse(std::string problem)
{
    if (m_problem.empty())
        m_problem = std::move(problem);
}
