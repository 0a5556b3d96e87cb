#include "platform/updates/UpdatePolicy.h"

#include <gtest/gtest.h>

namespace {

AppcastItem item(const QString& version, const QString& channel = {},
                 const QString& minimumSystemVersion = {})
{
    AppcastItem result;
    result.version = version;
    result.channel = channel;
    result.minimumSystemVersion = minimumSystemVersion;
    return result;
}

} // namespace

TEST(UpdatePolicy, PicksTheNewestSuitableItem)
{
    const QList<AppcastItem> feed{item("1.0"),
                                  item("1.9"),
                                  item("1.10"),
                                  item("2.0", "beta"),
                                  item("2.1", "nightly"),
                                  item("3.0", {}, "99.0"),
                                  item("1.10", "beta")};
    const struct
    {
        const char* name;
        QSet<QString> channels;
        QString current;
        QString highestSeen;
        QString expected; // empty: nothing
    } cases[] = {
        {"default channel, numeric order", {}, "1.1", "", "1.10"},
        {"beta allowed", {"beta"}, "1.1", "", "2.0"},
        {"an unknown channel never", {"nightly"}, "1.1", "", "2.1"},
        {"only newer than the running version", {}, "1.10", "", ""},
        {"equal to the highest seen still offered", {}, "1.1", "1.10", "1.10"},
        {"older than the highest seen never", {}, "1.1", "1.11", ""},
        {"highest seen below the running version", {}, "1.1", "0.9", "1.10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto chosen = UpdatePolicy::newestSuitableItem(
            feed, {c.channels, c.current, "6.1.0-18-amd64", c.highestSeen});
        EXPECT_EQ(chosen ? chosen->version : QString(), c.expected);
        if (chosen && c.expected == "1.10") {
            EXPECT_TRUE(chosen->channel.isEmpty()); // the first of equal versions
        }
    }
}

TEST(UpdatePolicy, SchedulesTheFirstAutomaticCheck)
{
    const QDateTime now = QDateTime::fromString("2026-12-10T02:00:00Z", Qt::ISODate);
    const auto day = std::chrono::hours(24);
    const auto minute = std::chrono::minutes(1);
    const struct
    {
        const char* name;
        QDateTime last;
        std::chrono::milliseconds firstDelay;
        QDateTime expected;
    } cases[] = {
        {"never checked", {}, minute, now.addSecs(60)},
        {"checked an hour ago", now.addSecs(-3600), minute, now.addSecs(23 * 3600)},
        {"checked two days ago", now.addDays(-2), minute, now.addSecs(60)},
        {"overdue, no first delay", now.addDays(-2), {}, now},
        {"stored time in the future", now.addDays(5), minute, now.addSecs(60)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UpdatePolicy::firstAutomaticCheck(now, c.last, day, c.firstDelay), c.expected);
    }
}

TEST(UpdatePolicy, SkipsOnlyInAutomaticChecksAndNamesDownloads)
{
    EXPECT_FALSE(UpdatePolicy::isOffered("1.2", QString("1.2"), false));
    EXPECT_TRUE(UpdatePolicy::isOffered("1.2", QString("1.2"), true));
    EXPECT_TRUE(UpdatePolicy::isOffered("1.3", QString("1.2"), false));
    EXPECT_TRUE(UpdatePolicy::isOffered("1.2", std::nullopt, false));

    const struct
    {
        const char* url;
        const char* name;
    } names[] = {
        {"https://morvane.dev/d/app-1.2.AppImage", "app-1.2.AppImage"},
        {"https://morvane.dev/d/app.AppImage?token=1", "app.AppImage"},
        {"https://morvane.dev/d/", "update"},
        {"https://morvane.dev/d/.bashrc", "update"},
        {"https://morvane.dev/d/..%2F..%2Fevil", "evil"},
    };
    for (const auto& n : names) {
        SCOPED_TRACE(n.url);
        EXPECT_EQ(UpdatePolicy::downloadFileName(QUrl(n.url)), n.name);
    }

    EXPECT_EQ(UpdatePolicy::higherVersion("1.10", "1.9"), "1.10");
    EXPECT_EQ(UpdatePolicy::higherVersion("", "1.9"), "1.9");
    EXPECT_EQ(UpdatePolicy::higherVersion("1.9", ""), "1.9");
}
