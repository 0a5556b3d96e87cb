#include <morvane/telemetry/ErrorBatch.h>
#include <morvane/telemetry/Uuid.h>

#include <gtest/gtest.h>

#include <regex>
#include <set>

using namespace morvane::telemetry;
using namespace std::chrono;

namespace {

const Timestamp firstSeen = system_clock::from_time_t(1796477863) + 123ms; // 13:37:43.123Z
const Timestamp lastSeen = system_clock::from_time_t(1796477880) + 500ms;  // 13:38:00.500Z

ContextSnapshot context()
{
    return ContextSnapshot{
        "colorpicker", "linux", "0.1.0", "6.1.0", "ed863c81de048f7d", "https://id.example.test/",
        nullptr};
}

CoalescedEntry bareEntry(std::optional<std::vector<BreadcrumbEntry>> breadcrumbs)
{
    CoalescedEntry entry;
    entry.fingerprint = "fedcba9876543210";
    entry.severity = "warn";
    entry.category = "auth";
    entry.messageTemplate = "token expired";
    entry.firstSeen = firstSeen;
    entry.lastSeen = firstSeen;
    entry.breadcrumbs = std::move(breadcrumbs);
    return entry;
}

CoalescedEntry fullEntry()
{
    CoalescedEntry entry;
    entry.fingerprint = "0123456789abcdef";
    entry.severity = "error";
    entry.category = "net";
    entry.specId = "sync.upload";
    entry.messageTemplate = "say \"hi\" \\ to <path>\t\u00FCn\u00EF \u20AC\x01";
    entry.exceptionType = "URLError";
    entry.topFrames = {"Store.save(_:) -> Bool", "Worker.run()"};
    entry.frameDigest = "ca84161b8d80";
    entry.count = 3;
    entry.firstSeen = firstSeen;
    entry.lastSeen = lastSeen;
    entry.online = false;
    entry.sessionUptimeSeconds = 60;
    entry.breadcrumbs = {{"t0", "info", "ui", "opened"}};
    return entry;
}

} // namespace

TEST(ErrorBatch, EncodesAFixedBatchByteForByte)
{
    const ErrorBatch batch = makeErrorBatch(
        {fullEntry(), bareEntry(std::vector<BreadcrumbEntry>{}), bareEntry({})}, context(),
        "b0000000-0000-4000-8000-000000000000",
        {"e1000000-0000-4000-8000-000000000000", "e2000000-0000-4000-8000-000000000000",
         "e3000000-0000-4000-8000-000000000000"});
    const std::string expected =
        R"({"schema_version":1,"batch_id":"b0000000-0000-4000-8000-000000000000",)"
        R"("daily_token":"ed863c81de048f7d","app_slug":"colorpicker","platform":"linux",)"
        R"("app_version":"0.1.0","os_version":"6.1.0","events":[)"
        R"({"client_event_id":"e1000000-0000-4000-8000-000000000000","severity":"error",)"
        R"("category":"net","spec_id":"sync.upload","fingerprint":"0123456789abcdef",)"
        R"("message_template":"say \"hi\" \\ to <path>\t)"
        "\u00FCn\u00EF \u20AC"
        R"(\u0001","exception_type":"URLError",)"
        R"j("top_frames":["Store.save(_:) -> Bool","Worker.run()"],)j"
        R"("frame_digest":"ca84161b8d80",)"
        R"("breadcrumbs":[{"ts":"t0","level":"info","category":"ui","msg":"opened"}],)"
        R"("count":3,"first_seen":"2026-12-05T13:37:43.123Z",)"
        R"("last_seen":"2026-12-05T13:38:00.500Z","online":false,"session_uptime_seconds":60},)"
        R"({"client_event_id":"e2000000-0000-4000-8000-000000000000","severity":"warn",)"
        R"("category":"auth","fingerprint":"fedcba9876543210","message_template":"token expired",)"
        R"("breadcrumbs":[],"count":1,"first_seen":"2026-12-05T13:37:43.123Z",)"
        R"("last_seen":"2026-12-05T13:37:43.123Z","online":true},)"
        R"({"client_event_id":"e3000000-0000-4000-8000-000000000000","severity":"warn",)"
        R"("category":"auth","fingerprint":"fedcba9876543210","message_template":"token expired",)"
        R"("count":1,"first_seen":"2026-12-05T13:37:43.123Z",)"
        R"("last_seen":"2026-12-05T13:37:43.123Z","online":true}]})";
    EXPECT_EQ(encodeErrorBatch(batch), expected);
}

TEST(ErrorBatch, ZipsEventIdsWithEntriesInOrder)
{
    const ErrorBatch batch =
        makeErrorBatch({bareEntry({}), fullEntry(), bareEntry({})}, context(), "b", {"1", "2"});
    ASSERT_EQ(batch.events.size(), 2u);
    EXPECT_EQ(batch.events[0].clientEventId, "1");
    EXPECT_EQ(batch.events[1].clientEventId, "2");
    EXPECT_EQ(batch.events[1].severity, "error");
}

TEST(ErrorBatch, WritesInvalidUtf8AsReplacementCharacters)
{
    CoalescedEntry entry = bareEntry({});
    entry.messageTemplate = "bad \xC3\x28 and \xFF";
    entry.topFrames = std::vector<std::string>{"\xE2\x82"};
    const std::string body = encodeErrorBatch(makeErrorBatch({entry}, context(), "b", {"e"}));
    EXPECT_NE(body.find(R"("message_template":"bad )"
                        "\uFFFD"
                        R"(( and )"
                        "\uFFFD"
                        R"(")"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find(R"("top_frames":[")"
                        "\uFFFD"
                        R"("])"),
              std::string::npos)
        << body;
}

TEST(Timestamp, FormatsUtcWithMillisecondsCutNotRounded)
{
    EXPECT_EQ(formatTimestamp(firstSeen + 999us), "2026-12-05T13:37:43.123Z");
    EXPECT_EQ(formatTimestamp(system_clock::from_time_t(0)), "1970-01-01T00:00:00.000Z");
    EXPECT_EQ(formatTimestamp(system_clock::from_time_t(0) - 1us), "1969-12-31T23:59:59.999Z");
    EXPECT_EQ(formatTimestamp(system_clock::from_time_t(951782400)), "2000-02-29T00:00:00.000Z");
}

TEST(Uuid, IsRandomVersion4InLowercase)
{
    const std::regex shape("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::string id = makeUuidV4();
        ASSERT_TRUE(std::regex_match(id, shape)) << id;
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 1000u);
}
