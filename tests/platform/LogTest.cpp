#include "Log.h"

#include <gtest/gtest.h>

#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Priority = Log::Priority;

// Sends standard output and standard error to files while in scope.
class CapturedOutput
{
public:
    CapturedOutput()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
            std::FILE* file = std::tmpfile();
            m_files.push_back(file);
            m_saved.push_back(::dup(fd));
            ::dup2(::fileno(file), fd);
        }
    }
    ~CapturedOutput() { restore(); }

    // Restores both streams and returns what was written to {stdout, stderr}.
    std::pair<std::string, std::string> finish()
    {
        restore();
        return {read(m_files[0]), read(m_files[1])};
    }

private:
    void restore()
    {
        if (m_restored)
            return;
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(m_saved[0], STDOUT_FILENO);
        ::dup2(m_saved[1], STDERR_FILENO);
        for (int fd : m_saved)
            ::close(fd);
        m_restored = true;
    }

    static std::string read(std::FILE* file)
    {
        std::string text;
        std::rewind(file);
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
            text.append(buffer, n);
        std::fclose(file);
        return text;
    }

    std::vector<std::FILE*> m_files;
    std::vector<int> m_saved;
    bool m_restored = false;
};

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

TEST(Log, InfoAndWarningHandTheSinkTheirPriorityCategoryAndMessageUnchanged)
{
    struct Entry
    {
        Priority priority;
        std::string category;
        std::string message;
    };
    std::vector<Entry> entries;
    const Log log("picker",
                  [&](Priority priority, std::string_view category, std::string_view message) {
                      entries.push_back({priority, std::string(category), std::string(message)});
                  });

    log.info(messages[0]);
    log.warning(messages[1]);

    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].priority, Priority::info);
    EXPECT_EQ(entries[0].message, messages[0]);
    EXPECT_EQ(entries[1].priority, Priority::error);
    EXPECT_EQ(entries[1].message, "");
    for (const Entry& entry : entries)
        EXPECT_EQ(entry.category, "picker");
}

TEST(Log, JournalFieldsCarryTheMessageLiterallyWithPrioritySubsystemAndCategory)
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
            EXPECT_EQ(Log::journalFields(priority, "lifecycle", message), expected);
        }
    }
}

TEST(Log, JournalSinkSendsTheFieldsAndWritesNothingToTheStandardStreams)
{
    sentEntries.clear();
    const Log log("picker", Log::journalSink(&acceptingJournal));
    CapturedOutput output;
    log.warning(messages[0]);
    const auto [out, err] = output.finish();

    ASSERT_EQ(sentEntries.size(), 1u);
    EXPECT_EQ(sentEntries[0], Log::journalFields(Priority::error, "picker", messages[0]));
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
}

TEST(Log, FallsBackToStandardErrorWhenTheJournalIsUnreachable)
{
    const Log log("picker", Log::journalSink(&unreachableJournal));
    CapturedOutput output;
    log.info(messages[0]);
    log.warning("");
    const auto [out, err] = output.finish();

    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "dev.morvane.colorpicker[picker] info: 100% of %s and %n at %{public}s\n"
                   "dev.morvane.colorpicker[picker] warning: \n");
}

// The real journal where one runs, else standard error; standard output either way.
TEST(Log, DefaultLogNeverWritesToStandardOutput)
{
    const bool journalRuns = std::filesystem::exists("/run/systemd/journal/socket");
    CapturedOutput output;
    Log("lifecycle").warning("default sink check %d");
    const auto [out, err] = output.finish();

    EXPECT_EQ(out, "");
    if (journalRuns)
        EXPECT_EQ(err, "");
    else
        EXPECT_EQ(err, "dev.morvane.colorpicker[lifecycle] warning: default sink check %d\n");
}
