#include "core/AppInfo.h"

#include <gtest/gtest.h>

namespace {

class AppInfoTest : public testing::Test
{
protected:
    void TearDown() override { AppInfo::restoreBuiltIn(); }
};

} // namespace

TEST_F(AppInfoTest, BuiltInMapCarriesTheBuildVersionAndUpdateSettings)
{
    EXPECT_EQ(Constants::version(), QStringLiteral(MORVANE_EXPECTED_VERSION));
    EXPECT_EQ(AppInfo::value(AppInfo::feedUrlKey).typeId(), QMetaType::QString);
    EXPECT_FALSE(AppInfo::value(AppInfo::publicEdKeyKey).toString().isEmpty());
    EXPECT_FALSE(AppInfo::value(QStringLiteral("NoSuchKey")).isValid());
}

TEST_F(AppInfoTest, VersionIsAnyTextEntryElseTheFallback)
{
    const struct
    {
        const char* name;
        QVariantMap map;
        QString version;
    } cases[] = {
        {"text", {{AppInfo::shortVersionKey, QStringLiteral("1.4.2")}}, QStringLiteral("1.4.2")},
        {"empty text", {{AppInfo::shortVersionKey, QString()}}, QString()},
        {"absent", {{AppInfo::feedUrlKey, QStringLiteral("x")}}, QStringLiteral("0.1.0")},
        {"number", {{AppInfo::shortVersionKey, 2}}, QStringLiteral("0.1.0")},
        {"list",
         {{AppInfo::shortVersionKey, QStringList{QStringLiteral("1.0")}}},
         QStringLiteral("0.1.0")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppInfo::replace(c.map);
        EXPECT_EQ(Constants::version(), c.version);
    }
    AppInfo::restoreBuiltIn();
    EXPECT_EQ(Constants::version(), QStringLiteral(MORVANE_EXPECTED_VERSION));
}
