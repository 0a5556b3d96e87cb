#include "core/Log.h"
#include "CapturedOutput.h"
#include "RecordingLogSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Priority = Log::Priority;
using Entry = RecordingLogSink::Entry;

const std::string messages[] = {"100% of %s and %n at %{public}s", "", "two\nlines"};

} // namespace

TEST(Log, InfoAndWarningHandTheSinkTheirPriorityCategoryAndMessageUnchanged)
{
    std::vector<Entry> entries;
    const Log log("picker",
                  [&](Priority priority, std::string_view category, std::string_view message) {
                      entries.push_back({priority, std::string(category), std::string(message)});
                  });

    log.info(messages[0]);
    log.warning(messages[1]);
    log.info(messages[2]);

    EXPECT_EQ(entries, (std::vector<Entry>{{Priority::info, "picker", messages[0]},
                                           {Priority::error, "picker", messages[1]},
                                           {Priority::info, "picker", messages[2]}}));
}

// Before the application installs the journal's sink, and after a test puts it back.
TEST(Log, TheProcessSinkIsStandardErrorAndNeverStandardOutput)
{
    const Log log("picker");
    CapturedOutput output;
    log.info(messages[0]);
    log.warning("");
    const auto [out, err] = output.finish();

    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "dev.morvane.colorpicker[picker] info: 100% of %s and %n at %{public}s\n"
                   "dev.morvane.colorpicker[picker] warning: \n");
}

TEST(Log, AnInstalledSinkTakesTheEntriesOfLogsBuiltAfterIt)
{
    const Log before("lifecycle");
    std::vector<Entry> recorded;
    {
        const RecordingLogSink sink;
        Log("lifecycle").info("selftest ok");
        const Log picker("picker");
        picker.warning("failed");
        recorded = sink.entries();
    }
    EXPECT_EQ(recorded, (std::vector<Entry>{{Priority::info, "lifecycle", "selftest ok"},
                                            {Priority::error, "picker", "failed"}}));

    CapturedOutput output;
    before.info("still standard error");
    Log("picker").info("standard error again");
    EXPECT_EQ(output.finish().second,
              "dev.morvane.colorpicker[lifecycle] info: still standard error\n"
              "dev.morvane.colorpicker[picker] info: standard error again\n");
}
