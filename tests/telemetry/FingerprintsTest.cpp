#include <morvane/telemetry/Fingerprints.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using namespace morvane::telemetry;
using namespace std::chrono;

namespace {

// 2026-12-05T23:59:59Z
const Timestamp lastSecondOfDay = system_clock::from_time_t(1796515199);

// Runs the body with the local time zone set far from UTC.
class FarTimeZone : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ"))
            m_saved = tz;
        setenv("TZ", "Pacific/Kiritimati", 1); // UTC+14
        tzset();
    }
    void TearDown() override
    {
        if (m_saved)
            setenv("TZ", m_saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_saved;
};

} // namespace

TEST(Fingerprint, JoinsFiveSeparatorsEvenWithoutADigest)
{
    EXPECT_EQ(computeFingerprint("app", "mac", "error", "net", "tmpl", std::nullopt),
              "4d3e7c497a055512");
    EXPECT_EQ(computeFingerprint("app", "mac", "error", "net", "tmpl", "ca84161b8d80"),
              "19628be4897326fd");
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST_F(FarTimeZone, DailyTokenChangesAtUtcMidnight)
{
    EXPECT_EQ(utcDateString(lastSecondOfDay), "2026-12-05");
    EXPECT_EQ(utcDateString(lastSecondOfDay + 1s), "2026-12-06");
    EXPECT_EQ(utcDateString(system_clock::from_time_t(0) - 1ms), "1969-12-31");

    EXPECT_EQ(computeDailyToken("install-1", lastSecondOfDay), "ed863c81de048f7d");
    EXPECT_EQ(computeDailyToken("install-1", lastSecondOfDay - 23h - 59min - 59s),
              "ed863c81de048f7d");
    EXPECT_EQ(computeDailyToken("install-1", lastSecondOfDay + 1s), "6d7d4d2d93da3566");
    EXPECT_EQ(computeDailyToken("", lastSecondOfDay), "fa9c2faf3238c03d");
}
