#include "ConvertCommand.h"

#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int status;
    QString out;
    QString err;
};

Outcome run(std::initializer_list<const char*> args, const QString& input = QString())
{
    QStringList arguments{QStringLiteral("morvane-color-picker")};
    for (const char* argument : args)
        arguments.append(QString::fromUtf8(argument));
    QString inText = input;
    QString outText;
    QString errText;
    QTextStream in(&inText);
    QTextStream out(&outText);
    QTextStream err(&errText);
    const int status = ConvertCommand::run(arguments, in, out, err);
    out.flush();
    err.flush();
    return {status, outText, errText};
}

} // namespace

TEST(ConvertCommand, ConvertsOneColourToTheChosenNotation)
{
    const struct
    {
        std::initializer_list<const char*> args;
        const char* out;
    } cases[] = {
        {{"--convert", "#3a7bd5"}, "#3A7BD5\n"},
        {{"--convert", "58, 123, 213", "--format", "oklch"}, "oklch(58.62% 0.1533 257.23)\n"},
        {{"--format", "hsl", "--convert", "rgb(58 123 213)"}, "215°, 65%, 53%\n"},
        {{"--convert", "0xFF3A7BD5", "--format", "int"}, "3832789\n"},
        {{"--convert", "#3A7BD5", "--format", "name"}, "≈ royalblue\n"},
        {{"--convert", "RebeccaPurple", "--format", "name"}, "rebeccapurple\n"},
        {{"--convert", "grey"}, "#808080\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, QString::fromUtf8(c.out));
        EXPECT_EQ(outcome.err, QString());
    }
}

TEST(ConvertCommand, ConvertsStandardInputLineForLineAndNamesTheLinesThatAreNoColour)
{
    const Outcome outcome =
        run({"--convert", "-", "--format", "css-rgb"},
            QStringLiteral("#3A7BD5\nnot a color\n  0x000000  \n\n255, 255, 255"));
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, QStringLiteral("rgb(58 123 213)\n\nrgb(0 0 0)\n\nrgb(255 255 255)\n"));
    EXPECT_EQ(outcome.err, QStringLiteral("morvane-color-picker: line 2 is no color: not a color\n"
                                          "morvane-color-picker: line 4 is no color: \n"));

    const Outcome clean = run({"--convert", "-"}, QStringLiteral("3a7bd5\n"));
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, QStringLiteral("#3A7BD5\n"));
}

TEST(ConvertCommand, RefusesUsageErrorsWithStatusTwoAndNothingOnStandardOutput)
{
    for (const auto& args : {std::initializer_list<const char*>{"--convert"},
                             {"--convert", "#3A7BDG"},
                             {"--convert", "#3A7BD5", "--format"},
                             {"--convert", "#3A7BD5", "--format", "HEX"},
                             {"--convert", "#3A7BD5", "--format", "template"}}) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, QString());
        EXPECT_TRUE(outcome.err.startsWith(QStringLiteral("morvane-color-picker: ")))
            << outcome.err.toStdString();
    }
}

TEST(ConvertCommand, ListsEveryIdWithItsLabelAndAnExample)
{
    EXPECT_FALSE(ConvertCommand::requested({QStringLiteral("p"), QStringLiteral("--pick")}));
    EXPECT_FALSE(ConvertCommand::requested(
        {QStringLiteral("p"), QStringLiteral("--"), QStringLiteral("--convert")}));
    const Outcome outcome = run({"--list-formats"});
    EXPECT_EQ(outcome.status, 0);
    const QStringList lines = outcome.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 18);
    EXPECT_EQ(lines.first(), QStringLiteral("hex             HEX     #3A7BD5"));
    EXPECT_TRUE(lines.contains(QStringLiteral("argb-0x         0xARGB  0xFF3A7BD5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("name            Name    ≈ royalblue")));
}
