#include "Log.h"

#include <systemd/sd-journal.h>
#include <sys/uio.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

constexpr int priorityInfo = 6;
constexpr int priorityError = 3;

iovec field(const std::string& text)
{
    return {const_cast<char*>(text.data()), text.size()};
}

// One journal entry. Fields are handed over as bytes, so nothing in the message is ever
// read as a format directive. False when no journal accepted it.
bool sendToJournal(int priority, std::string_view category, std::string_view message)
{
    const std::string fields[] = {
        "MESSAGE=" + std::string(message),
        "PRIORITY=" + std::to_string(priority),
        "SYSLOG_IDENTIFIER=morvane-color-picker",
        "SUBSYSTEM=" + std::string(Log::subsystem),
        "CATEGORY=" + std::string(category),
    };
    iovec vector[std::size(fields)];
    for (std::size_t i = 0; i < std::size(fields); ++i)
        vector[i] = field(fields[i]);
    return sd_journal_sendv(vector, static_cast<int>(std::size(fields))) >= 0;
}

void writeToStandardError(int priority, std::string_view category, std::string_view message)
{
    const char* level = priority == priorityError ? "warning" : "info";
    std::fprintf(stderr, "%.*s[%.*s] %s: %.*s\n", static_cast<int>(Log::subsystem.size()),
                 Log::subsystem.data(), static_cast<int>(category.size()), category.data(), level,
                 static_cast<int>(message.size()), message.data());
}

void write(int priority, std::string_view category, std::string_view message)
{
    if (!sendToJournal(priority, category, message))
        writeToStandardError(priority, category, message);
}

} // namespace

Log::Log(std::string category) : m_category(std::move(category)) {}

void Log::info(std::string_view message) const
{
    write(priorityInfo, m_category, message);
}

void Log::warning(std::string_view message) const
{
    write(priorityError, m_category, message);
}
