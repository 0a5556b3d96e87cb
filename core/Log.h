#pragma once

#include <functional>
#include <string>
#include <string_view>

// The application's logger: a category over a sink that takes one entry per call, under the
// subsystem "dev.morvane.colorpicker". The message is passed as data, never as a format.
// Log(category) uses the process's sink: standard error until the application installs the
// journal's (JournalLogSink). Copies are interchangeable; usable from any thread.
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

    // Logs to the process's sink as installed when this Log is built.
    explicit Log(std::string category);
    Log(std::string category, Sink sink);

    void info(std::string_view message) const;
    // Filed at the journal's error priority, so error-level filters show it.
    void warning(std::string_view message) const;

    const std::string& category() const { return m_category; }

    // The sink of every Log built after this call. Empty restores standard error.
    static void installProcessSink(Sink sink);
    static Sink processSink();

    // Writes each entry as one standardErrorLine(); never to standard output.
    static Sink standardErrorSink();
    static std::string standardErrorLine(Priority priority, std::string_view category,
                                         std::string_view message);

private:
    std::string m_category;
    Sink m_sink;
};
