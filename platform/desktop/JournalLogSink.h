#pragma once

#include "core/Log.h"

#include <string>
#include <string_view>
#include <vector>

struct iovec;

// Log's sink for the systemd journal: one entry per call with the fields below, the message
// passed as bytes (never as a format); standard error when no journal takes the entry.
namespace JournalLogSink {

// Hands one entry's fields to the journal, as sd_journal_sendv does: negative when refused.
using Send = int (*)(const iovec* fields, int count);

// The journal fields of one entry, each "NAME=value": MESSAGE, PRIORITY, SYSLOG_IDENTIFIER,
// SUBSYSTEM and CATEGORY.
std::vector<std::string> fields(Log::Priority priority, std::string_view category,
                                std::string_view message);
// Sends through `send`, and writes the entry to standard error when `send` refuses it.
Log::Sink through(Send send);
// The system journal, falling back to standard error.
Log::Sink system();

} // namespace JournalLogSink
