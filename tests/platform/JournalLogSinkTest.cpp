#include "platform/desktop/JournalLogSink.h"
#include "CapturedOutput.h"

#include <gtest/gtest.h>

#include <sys/uio.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Priority = Log::Priority;

std::vector<std::vector<std::string>> sentEntries;

int acceptingJournal(const iovec* fields, int count)
{
    std::vector<std::string> entry;
    for (int i = 0; i < count; ++i)
        entry.emplace_back(static_cast<const char*>(fields[i].iov_base), fields[i].iov_len);
    sentEntries.push_back(entry);
    return 0;
}

int unreachableJournal(const iovec*, int)
{
    return -ECONNREFUSED;
}

const std::string messages[] = {"100% of %s and %n at %{public}s", "", "two\nlines"};

} // namespace

TEST(JournalLogSink, FieldsCarryTheMessageLiterallyWithPrioritySubsystemAndCategory)
{
    for (Priority priority : {Priority::info, Priority::error}) {
        for (const std::string& message : messages) {
            SCOPED_TRACE(message);
            const std::vector<std::string> expected = {
                "MESSAGE=" + message,
                priority == Priority::info ? "PRIORITY=6" : "PRIORITY=3",
                "SYSLOG_IDENTIFIER=dev.morvane.colorpicker",
                "SUBSYSTEM=dev.morvane.colorpicker",
                "CATEGORY=lifecycle",
            };
            EXPECT_EQ(JournalLogSink::fields(priority, "lifecycle", message), expected);
        }
    }
}

TEST(JournalLogSink, SendsTheFieldsAndWritesNothingToTheStandardStreams)
{
    sentEntries.clear();
    const Log log("picker", JournalLogSink::through(&acceptingJournal));
    CapturedOutput output;
    log.warning(messages[0]);
    const auto [out, err] = output.finish();

    ASSERT_EQ(sentEntries.size(), 1u);
    EXPECT_EQ(sentEntries[0], JournalLogSink::fields(Priority::error, "picker", messages[0]));
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
}

TEST(JournalLogSink, FallsBackToStandardErrorWhenTheJournalIsUnreachable)
{
    const Log log("picker", JournalLogSink::through(&unreachableJournal));
    CapturedOutput output;
    log.info(messages[0]);
    log.warning("");
    const auto [out, err] = output.finish();

    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "dev.morvane.colorpicker[picker] info: 100% of %s and %n at %{public}s\n"
                   "dev.morvane.colorpicker[picker] warning: \n");
}

// The real journal where one runs, else standard error; standard output either way.
TEST(JournalLogSink, TheSystemSinkNeverWritesToStandardOutput)
{
    const bool journalRuns = std::filesystem::exists("/run/systemd/journal/socket");
    CapturedOutput output;
    Log("lifecycle", JournalLogSink::system()).warning("default sink check %d");
    const auto [out, err] = output.finish();

    EXPECT_EQ(out, "");
    if (journalRuns)
        EXPECT_EQ(err, "");
    else
        EXPECT_EQ(err, "dev.morvane.colorpicker[lifecycle] warning: default sink check %d\n");
}
