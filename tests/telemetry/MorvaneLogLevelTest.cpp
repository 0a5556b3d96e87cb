#include <morvane/telemetry/MorvaneLogLevel.h>

#include <gtest/gtest.h>

using morvane::MorvaneLogLevel;

TEST(MorvaneLogLevel, ListsAllCasesInDeclarationOrderWithTheirRawTexts)
{
    const std::string_view expected[] = {"debug", "info", "warning", "error"};
    ASSERT_EQ(morvane::allLogLevels.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(morvane::rawValue(morvane::allLogLevels[i]), expected[i]);
        EXPECT_EQ(morvane::logLevelFromRawValue(expected[i]), morvane::allLogLevels[i]);
    }
}

TEST(MorvaneLogLevel, RejectsRawTextsThatDoNotMatchExactly)
{
    for (std::string_view text : {"Warning", "WARNING", "warn", "", " info", "error "})
        EXPECT_EQ(morvane::logLevelFromRawValue(text), std::nullopt) << text;
    EXPECT_EQ(morvane::logLevelFromRawValue("warning"), MorvaneLogLevel::warning);
}
