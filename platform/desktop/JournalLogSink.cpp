#include "platform/desktop/JournalLogSink.h"

#include <sys/uio.h>
#include <systemd/sd-journal.h>
#include <unistd.h>

#include <cerrno>

namespace JournalLogSink {
namespace {

// sd_journal_sendv reports success when no journal socket exists at all, so the fallback
// checks for the socket first.
int sendToSystemJournal(const iovec* fields, int count)
{
    if (::access("/run/systemd/journal/socket", F_OK) != 0)
        return -errno;
    return sd_journal_sendv(fields, count);
}

} // namespace

std::vector<std::string> fields(Log::Priority priority, std::string_view category,
                                std::string_view message)
{
    std::string messageField = "MESSAGE=";
    messageField.append(message);
    std::string categoryField = "CATEGORY=";
    categoryField.append(category);
    std::string subsystemField = "SUBSYSTEM=";
    subsystemField.append(Log::subsystem);
    std::string identifierField = "SYSLOG_IDENTIFIER=";
    identifierField.append(Log::subsystem);
    return {std::move(messageField), "PRIORITY=" + std::to_string(static_cast<int>(priority)),
            std::move(identifierField), std::move(subsystemField), std::move(categoryField)};
}

Log::Sink through(Send send)
{
    return [send, fallback = Log::standardErrorSink()](
               Log::Priority priority, std::string_view category, std::string_view message) {
        // Each field goes over as bytes with its length, so nothing in the message is ever
        // read as a format directive, and embedded newlines stay in the one entry.
        const std::vector<std::string> entry = fields(priority, category, message);
        std::vector<iovec> vector;
        vector.reserve(entry.size());
        for (const std::string& field : entry)
            vector.push_back({const_cast<char*>(field.data()), field.size()});
        if (send(vector.data(), static_cast<int>(vector.size())) < 0)
            fallback(priority, category, message);
    };
}

Log::Sink system()
{
    return through(&sendToSystemJournal);
}

} // namespace JournalLogSink
