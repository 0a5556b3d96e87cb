#pragma once

#include <string>
#include <string_view>

// The application's logger: one entry per call in the systemd journal, under the subsystem
// "dev.morvane.colorpicker" and this logger's category; standard error when no journal is
// reachable; never standard output. The message is passed as data, never as a format.
class Log
{
public:
    static constexpr std::string_view subsystem = "dev.morvane.colorpicker";

    explicit Log(std::string category);

    void info(std::string_view message) const;
    // Filed at the journal's error priority, so error-level filters show it.
    void warning(std::string_view message) const;

    const std::string& category() const { return m_category; }

private:
    std::string m_category;
};
