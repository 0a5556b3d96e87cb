#include "Log.h"

#include <sys/uio.h>
#include <systemd/sd-journal.h>
#include <unistd.h>

#include <cerrno>
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

// sd_journal_sendv reports success when no journal socket exists at all, so the fallback
// checks for the socket first.
int sendToSystemJournal(const iovec* fields, int count)
{
    if (::access("/run/systemd/journal/socket", F_OK) != 0)
        return -errno;
    return sd_journal_sendv(fields, count);
}

} // namespace

Log::Log(std::string category) : Log(std::move(category), journalSink(&sendToSystemJournal)) {}

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

std::vector<std::string> Log::journalFields(Priority priority, std::string_view category,
                                            std::string_view message)
{
    std::string messageField = "MESSAGE=";
    messageField.append(message);
    std::string categoryField = "CATEGORY=";
    categoryField.append(category);
    std::string subsystemField = "SUBSYSTEM=";
    subsystemField.append(subsystem);
    std::string identifierField = "SYSLOG_IDENTIFIER=";
    identifierField.append(subsystem);
    return {std::move(messageField), "PRIORITY=" + std::to_string(static_cast<int>(priority)),
            std::move(identifierField), std::move(subsystemField), std::move(categoryField)};
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

Log::Sink Log::journalSink(JournalSend send)
{
    return [send](Priority priority, std::string_view category, std::string_view message) {
        // Each field goes over as bytes with its length, so nothing in the message is ever
        // read as a format directive, and embedded newlines stay in the one entry.
        const std::vector<std::string> fields = journalFields(priority, category, message);
        std::vector<iovec> vector;
        vector.reserve(fields.size());
        for (const std::string& field : fields)
            vector.push_back({const_cast<char*>(field.data()), field.size()});
        if (send(vector.data(), static_cast<int>(vector.size())) < 0)
            writeToStandardError(standardErrorLine(priority, category, message));
    };
}
