#include "app/shell/PickCommand.h"

#include "app/shell/CommandLinePreferences.h"
#include "core/CommandLineFormats.h"
#include "core/ConvertCommand.h"
#include "platform/instance/SingleInstance.h"
#include "platform/preferences/SettingsPreferencesStore.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <gtest/gtest.h>

#include <future>

// "--pick" with no copy running refuses at once when the copy it would start could not show
// itself, and leaves every other case to the copy.
TEST(PickCommand, StartsNoCopyWhereNoDisplayIsNamed)
{
    const struct
    {
        const char* name;
        QStringList variables; // NAME=VALUE
        bool refused;
    } cases[] = {
        {"nothing set", {}, true},
        {"empty variables", {"DISPLAY=", "WAYLAND_DISPLAY="}, true},
        {"X11", {"DISPLAY=:0"}, false},
        {"Wayland", {"WAYLAND_DISPLAY=wayland-0"}, false},
        {"X11 chosen by hand, no display", {"QT_QPA_PLATFORM=xcb"}, true},
        {"Wayland chosen by hand, no display", {"QT_QPA_PLATFORM=wayland;xcb"}, true},
        {"a platform that needs no display", {"QT_QPA_PLATFORM=offscreen"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment environment;
        for (const QString& variable : c.variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        const QString problem = PickCommand::missingDisplay(environment);
        EXPECT_EQ(!problem.isEmpty(), c.refused) << problem.toStdString();
    }
}

// "--pick --format ID" with one of the user's templates: the running copy picks (a fake one,
// answering as the real one does), and the command prints the colour in the template.
TEST(PickCommand, PrintsThePickInTheUsersTemplate)
{
    const QTemporaryDir folder;
    const QString preferences = folder.filePath(QStringLiteral("colorpicker.conf"));
    {
        SettingsPreferencesStore settings(preferences);
        settings.setString(
            QStringLiteral("colorpicker.formats.templates"),
            QStringLiteral(
                R"json([{"id":"template-1","name":"Kotlin","template":"Color(0xFF{hex})"}])json"));
        ASSERT_TRUE(settings.flush());
    }
    const CommandLineFormats formats(CommandLinePreferences::open(preferences));
    QString errors;
    QTextStream err(&errors);
    const std::optional<ColorFormat> format = ConvertCommand::chosenFormat(
        {QStringLiteral("morvane-color-picker"), QStringLiteral("--pick"),
         QStringLiteral("--format"), QStringLiteral("template-1")},
        formats.list(), err);
    ASSERT_TRUE(format) << errors.toStdString();

    SingleInstance running(folder.path());
    ASSERT_TRUE(running.claim());
    QObject::connect(&running, &SingleInstance::pickRequested, &running,
                     [&running] { running.answerPickRequests(QStringLiteral("#3A7BD5")); });
    auto pick = std::async(std::launch::async, [&] {
        SingleInstance asking(folder.path());
        QString output;
        QString failures;
        QTextStream out(&output);
        QTextStream failed(&failures);
        const auto noCopyToStart = [] { return QStringLiteral("no copy may be started here"); };
        const int status =
            PickCommand::run(asking, noCopyToStart, out, failed, std::chrono::seconds(5), &*format);
        failed.flush();
        return std::tuple(status, output, failures);
    });
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pick.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        10000));
    const auto [status, output, failures] = pick.get();
    EXPECT_EQ(status, 0) << failures.toStdString();
    EXPECT_EQ(output.toStdString(), "Color(0xFF3A7BD5)\n");
}
