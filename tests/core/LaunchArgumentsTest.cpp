#include "CommandLineReply.h"
#include "ReviewLaunchMode.h"

#include <gtest/gtest.h>

namespace {

QStringList arguments(std::initializer_list<const char*> list)
{
    QStringList result{QStringLiteral("/usr/bin/morvane-color-picker")};
    for (const char* argument : list)
        result.append(QString::fromUtf8(argument));
    return result;
}

} // namespace

TEST(ReviewLaunchMode, MatchesWholeCaseSensitiveArgumentsWithSelftestFirst)
{
    const struct
    {
        std::initializer_list<const char*> args;
        ReviewLaunchMode mode;
    } cases[] = {
        {{}, ReviewLaunchMode::none},
        {{"--selftest"}, ReviewLaunchMode::selftest},
        {{"--show-settings"}, ReviewLaunchMode::settings},
        {{"--selftest", "--show-settings"}, ReviewLaunchMode::selftest},
        {{"--show-settings", "--selftest"}, ReviewLaunchMode::selftest},
        {{"stray", "--show-settings"}, ReviewLaunchMode::settings},
        {{"--selftest=1"}, ReviewLaunchMode::none},
        {{"--SelfTest"}, ReviewLaunchMode::none},
        {{"-selftest"}, ReviewLaunchMode::none},
        {{"--show-settings "}, ReviewLaunchMode::none},
        {{"--help"}, ReviewLaunchMode::none},
    };
    for (const auto& c : cases) {
        const QStringList args = arguments(c.args);
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(ReviewLaunchModes::fromArguments(args), c.mode);
    }
    // The program path takes part too.
    EXPECT_EQ(ReviewLaunchModes::fromArguments({QStringLiteral("--selftest")}),
              ReviewLaunchMode::selftest);
}

TEST(ReviewLaunchMode, APickRequestIsAnExactPickArgumentUnlessTheSelfTestIsAsked)
{
    const struct
    {
        std::initializer_list<const char*> args;
        bool pick;
    } cases[] = {
        {{"--pick"}, true},
        {{"--show-settings", "--pick"}, true},
        {{"--pick", "--selftest"}, false},
        {{}, false},
        {{"--pick=1"}, false},
        {{"--Pick"}, false},
        {{"-pick"}, false},
    };
    for (const auto& c : cases) {
        const QStringList args = arguments(c.args);
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(ReviewLaunchModes::requestsPick(args), c.pick);
    }
}

TEST(CommandLineReply, AnswersHelpAndVersionOnlyForTheirExactOptions)
{
    const QString version = QStringLiteral("2.3.4");
    EXPECT_EQ(commandLineReply(arguments({"--version"}), version),
              QStringLiteral("Morvane Color Picker 2.3.4\n"));
    for (const char* help : {"--help", "-h"}) {
        const auto reply = commandLineReply(arguments({"--selftest", help}), version);
        ASSERT_TRUE(reply) << help;
        EXPECT_TRUE(reply->startsWith(QStringLiteral("Usage: morvane-color-picker")));
        for (const char* option : {"--pick", "--show-settings", "--selftest", "--version"})
            EXPECT_TRUE(reply->contains(QLatin1String(option))) << option;
    }
    for (auto args : {arguments({}), arguments({"--selftest"}), arguments({"--Help"}),
                      arguments({"--version=1"}), arguments({"--", "--help"}),
                      QStringList{QStringLiteral("--help")}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        EXPECT_FALSE(commandLineReply(args, version));
    }
}
