#include "core/CommandLineReply.h"
#include "core/ReviewLaunchMode.h"
#include "core/commandline/CommandLineOptions.h"

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
        {{"--", "--selftest"}, ReviewLaunchMode::none},
        {{"--show-settings", "--", "--selftest"}, ReviewLaunchMode::settings},
        {{"--format", "--selftest"}, ReviewLaunchMode::none},
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
        {{"--", "--pick"}, false},
        {{"--pick", "--", "--selftest"}, true},
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

// The English help, word for word; its option rows are the table's options --help lists.
TEST(CommandLineReply, WritesTheHelpFromTheOptionTable)
{
    const auto reply = commandLineReply(arguments({"--help"}), QStringLiteral("1.0"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->toStdString(),
              "Usage: morvane-color-picker [OPTION]\n"
              "Pick any color on your screen, right from the tray.\n"
              "\n"
              "  --pick           pick a color in the running copy (starting one if need\n"
              "                   be), print its hex and exit; exit status 1 when cancelled\n"
              "  --format ID      with --pick or --convert: print the color in notation ID\n"
              "                   instead of hex\n"
              "  --convert COLOR  print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in\n"
              "                   another notation, without a display; with - read one\n"
              "                   color a line from standard input (exit status 2 when a\n"
              "                   line is no color)\n"
              "  --list-formats   list the notation ids and labels\n"
              "  --show-settings  open the settings window\n"
              "  --selftest       check that the application starts, then quit\n"
              "  -h, --help       show this help and exit\n"
              "  --version        show the version and exit\n"
              "\n"
              "Without an option the picker starts in the tray; a second launch opens\n"
              "the running copy's panel.\n");

    QStringList listed;
    for (const QString& line : reply->split(u'\n')) {
        if (line.startsWith(QLatin1String("  -")))
            listed.append(line.section(u' ', 2, 2).remove(u','));
    }
    QStringList table;
    for (const CommandLineOptions::Option& option : CommandLineOptions::all()) {
        if (option.help)
            table.append(
                QString::fromUtf8(option.shortName.empty() ? option.name : option.shortName));
    }
    EXPECT_EQ(listed, table);
}
