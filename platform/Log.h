#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct iovec;

// The application's logger: one entry per call in the systemd journal, under the subsystem
// "dev.morvane.colorpicker" and this logger's category; standard error when no journal is
// reachable; never standard output. The message is passed as data, never as a format.
// Copies are interchangeable; usable from any thread.
class Log
{
public:
    static constexpr std::string_view subsystem = "dev.morvane.colorpicker";

    // The journal's (syslog) priorities of the two operations.
    enum class Priority
    {
        error = 3,
        info = 6
    };

    // Receives each entry; called on the logging thread, must not throw.
    using Sink =
        std::function<void(Priority priority, std::string_view category, std::string_view message)>;
    // Hands one entry's fields to the journal, as sd_journal_sendv does: negative when refused.
    using JournalSend = int (*)(const iovec* fields, int count);

    // Logs to the journal, falling back to standard error.
    explicit Log(std::string category);
    Log(std::string category, Sink sink);

    void info(std::string_view message) const;
    // Filed at the journal's error priority, so error-level filters show it.
    void warning(std::string_view message) const;

    const std::string& category() const { return m_category; }

    // The journal fields of one entry, each "NAME=value": MESSAGE, PRIORITY,
    // SYSLOG_IDENTIFIER, SUBSYSTEM and CATEGORY.
    static std::vector<std::string> journalFields(Priority priority, std::string_view category,
                                                  std::string_view message);
    // The line written to standard error when no journal takes the entry.
    static std::string standardErrorLine(Priority priority, std::string_view category,
                                         std::string_view message);
    // The sink behind Log(category): sends through `send`, and writes the entry to standard
    // error when `send` refuses it.
    static Sink journalSink(JournalSend send);

private:
    std::string m_category;
    Sink m_sink;
};
