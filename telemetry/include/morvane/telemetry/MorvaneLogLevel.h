#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace morvane {

// The four severities shared by the application's logging and the telemetry client.
// Deliberately unordered: a threshold such as warning-or-worse names its cases.
enum class MorvaneLogLevel
{
    debug,
    info,
    warning,
    error
};

constexpr std::array<MorvaneLogLevel, 4> allLogLevels{MorvaneLogLevel::debug, MorvaneLogLevel::info,
                                                      MorvaneLogLevel::warning,
                                                      MorvaneLogLevel::error};

constexpr std::string_view rawValue(MorvaneLogLevel level)
{
    switch (level) {
    case MorvaneLogLevel::debug:
        return "debug";
    case MorvaneLogLevel::info:
        return "info";
    case MorvaneLogLevel::warning:
        return "warning";
    case MorvaneLogLevel::error:
        return "error";
    }
    return {};
}

// The level whose raw text equals the text exactly (case-sensitive), or none.
constexpr std::optional<MorvaneLogLevel> logLevelFromRawValue(std::string_view text)
{
    for (MorvaneLogLevel level : allLogLevels) {
        if (rawValue(level) == text)
            return level;
    }
    return std::nullopt;
}

} // namespace morvane
