#include "core/CommandLineArguments.h"

namespace CommandLineArguments {

ParsedCommandLine parse(const QStringList& arguments)
{
    std::vector<std::string> local;
    local.reserve(std::size_t(arguments.size()));
    for (const QString& argument : arguments)
        local.push_back(argument.toLocal8Bit().toStdString());
    return ParsedCommandLine::parse(local);
}

std::optional<QString> argumentOf(const ParsedCommandLine& parsed, std::string_view name)
{
    const std::optional<std::string> argument = parsed.argumentOf(name);
    if (!argument)
        return std::nullopt;
    return QString::fromLocal8Bit(argument->data(), qsizetype(argument->size()));
}

QString nameText(std::string_view name)
{
    return QLatin1String(name.data(), qsizetype(name.size()));
}

} // namespace CommandLineArguments
