#include "core/ConvertCommand.h"
#include "MemoryPreferencesStore.h"
#include "core/CommandLineFormats.h"

#include <QTextStream>

#include <gtest/gtest.h>

namespace {

// Three templates as the settings store them: two the command line offers, and one whose
// placeholder this version does not know, which it leaves out as the panel does.
const QString templates = QStringLiteral(
    R"json([{"id":"template-1","name":"Kotlin","template":"Color(0xFF{hex})"},)json"
    R"json({"id":"template-3","name":"Shader constant","template":"{rf}, {gf}, {bf}"},)json"
    R"json({"id":"template-2","name":"Future","template":"{hue}"}])json");

struct Outcome
{
    int status;
    QString out;
    QString err;
};

Outcome run(std::initializer_list<const char*> args, const QString& input = QString(),
            const QMap<QString, QVariant>& preferences = {})
{
    auto store = std::make_unique<MemoryPreferencesStore>();
    store->values = preferences;
    const CommandLineFormats formats(std::move(store));
    QStringList arguments{QStringLiteral("morvane-color-picker")};
    for (const char* argument : args)
        arguments.append(QString::fromUtf8(argument));
    QString inText = input;
    QString outText;
    QString errText;
    QTextStream in(&inText);
    QTextStream out(&outText);
    QTextStream err(&errText);
    const int status = ConvertCommand::run(arguments, formats.list(), in, out, err);
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

// The user's templates are formats like the built-in notations: converted to, and listed
// after them with their ids, in the same columns (a long name pushes the example along).
TEST(ConvertCommand, OffersTheUsersTemplatesAfterTheBuiltInNotations)
{
    const QMap<QString, QVariant> preferences{
        {QStringLiteral("colorpicker.formats.templates"), templates}};

    const Outcome converted =
        run({"--convert", "58, 123, 213", "--format", "template-1"}, {}, preferences);
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.out, QStringLiteral("Color(0xFF3A7BD5)\n"));

    const Outcome lines = run({"--format", "template-3", "--convert", "-"},
                              QStringLiteral("#000000\nnope\n#FFFFFF\n"), preferences);
    EXPECT_EQ(lines.status, 2);
    EXPECT_EQ(lines.out, QStringLiteral("0.0000, 0.0000, 0.0000\n\n1.0000, 1.0000, 1.0000\n"));

    const Outcome listed = run({"--list-formats"}, {}, preferences);
    EXPECT_EQ(listed.status, 0);
    const QStringList rows = listed.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 20);
    EXPECT_EQ(rows.first(), QStringLiteral("hex             HEX     #3A7BD5"));
    EXPECT_EQ(rows.at(18), QStringLiteral("template-1      Kotlin  Color(0xFF3A7BD5)"));
    EXPECT_EQ(rows.at(19),
              QStringLiteral("template-3      Shader constant 0.2275, 0.4824, 0.8353"));

    for (const char* unknown : {"template-2", "template-4"}) {
        const Outcome refused = run({"--convert", "#3A7BD5", "--format", unknown}, {}, preferences);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, QString());
        EXPECT_EQ(refused.err, QStringLiteral("morvane-color-picker: unknown format \"%1\" "
                                              "(--list-formats lists them)\n")
                                   .arg(QLatin1String(unknown)));
    }
}

// An option the table does not know is refused before anything is converted.
TEST(ConvertCommand, RefusesACommandLineTheTableRefuses)
{
    const Outcome outcome = run({"--convert", "#3A7BD5", "--colour"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, QString());
    EXPECT_TRUE(outcome.err.startsWith(
        QStringLiteral("morvane-color-picker: unknown option \"--colour\" (options: --pick")))
        << outcome.err.toStdString();
}
