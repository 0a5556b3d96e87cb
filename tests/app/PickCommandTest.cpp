#include "PickCommand.h"

#include <gtest/gtest.h>

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
