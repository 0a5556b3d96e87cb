#include "core/Log.h"

#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <utility>

namespace {

// Writes the whole text to standard error, retrying after short writes and signals.
void writeToStandardError(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return; // nowhere left to report to
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::mutex processSinkMutex;

Log::Sink& installedSink()
{
    static Log::Sink sink = Log::standardErrorSink();
    return sink;
}

} // namespace

Log::Log(std::string category) : Log(std::move(category), processSink()) {}

Log::Log(std::string category, Sink sink) : m_category(std::move(category)), m_sink(std::move(sink))
{
}

void Log::info(std::string_view message) const
{
    m_sink(Priority::info, m_category, message);
}

void Log::warning(std::string_view message) const
{
    m_sink(Priority::error, m_category, message);
}

void Log::installProcessSink(Sink sink)
{
    const std::lock_guard lock(processSinkMutex);
    installedSink() = sink ? std::move(sink) : standardErrorSink();
}

Log::Sink Log::processSink()
{
    const std::lock_guard lock(processSinkMutex);
    return installedSink();
}

Log::Sink Log::standardErrorSink()
{
    return [](Priority priority, std::string_view category, std::string_view message) {
        writeToStandardError(standardErrorLine(priority, category, message));
    };
}

std::string Log::standardErrorLine(Priority priority, std::string_view category,
                                   std::string_view message)
{
    std::string line(subsystem);
    line.append("[").append(category).append("] ");
    line.append(priority == Priority::error ? "warning: " : "info: ");
    line.append(message).append("\n");
    return line;
}
