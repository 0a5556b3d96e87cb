#include "app/shell/RelocationWarning.h"
#include "AppFakes.h"
#include "FakeApplicationPresence.h"
#include "core/ActivationPolicyController.h"
#include "core/ports/FileManagerReveal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString shownKey = QStringLiteral("colorpicker.appTranslocationWarningShown");
const QString relocated =
    QStringLiteral("/private/var/folders/x/AppTranslocation/1234/d/morvane-color-picker");

class RecordingReveal : public FileManagerReveal
{
public:
    void reveal(const QString& path) override { revealed.append(path); }
    QStringList revealed;
};

struct RelocationFixture : testing::Test
{
    MemoryPreferencesStore store;
    AppSettings settings{store};
    FakeApplicationPresence presence;
    ActivationPolicyController controller{presence};
    RecordingReveal reveal;
    RelocationWarning warning{settings, presence, controller, reveal};
    QSignalSpy finished{&warning, &RelocationWarning::alertFinished};

    // Waits for the alert, records what it shows and when, and presses the named button.
    struct Seen
    {
        QString text, informative;
        QStringList buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        ActivationPolicy policyWhileShown = ActivationPolicy::prohibited;
        qint64 shownAfter = -1;
    };
    Seen answerAlert(const QString& button, const QElapsedTimer& since)
    {
        Seen seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!alert)
                return;
            poll.stop();
            seen = {alert->text(), alert->informativeText(), {},
                    alert->icon(), presence.policy,          since.elapsed()};
            for (QAbstractButton* b : alert->buttons())
                seen.buttons.append(b->text());
            for (QAbstractButton* b : alert->buttons()) {
                if (b->text() == button)
                    b->click();
            }
        });
        poll.start(10);
        EXPECT_TRUE(finished.wait(10000));
        return seen;
    }
};

} // namespace

TEST_F(RelocationFixture, OnlyAPathWithTheExactMarkerCountsAsRelocated)
{
    EXPECT_TRUE(RelocationWarning::isRelocated(relocated));
    EXPECT_TRUE(RelocationWarning::isRelocated(QStringLiteral("/tmp/xAppTranslocationx/a")));
    for (const char* path : {"/opt/morvane/morvane-color-picker", "/tmp/apptranslocation/a",
                             "/tmp/APPTRANSLOCATION/a", "/tmp/App Translocation/a"}) {
        EXPECT_FALSE(warning.check(QString::fromUtf8(path))) << path;
    }
    EXPECT_FALSE(store.contains(shownKey)) << "no flag without the marker";
}

TEST_F(RelocationFixture, WarnsOnceAfterTheFlagThenDropsBackToTheTray)
{
    presence.policy = ActivationPolicy::accessory;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(warning.check(relocated));
    EXPECT_TRUE(store.boolForKey(shownKey)) << "written before anything shows";

    const Seen seen = answerAlert(QStringLiteral("Later"), clock);
    EXPECT_GE(seen.shownAfter, RelocationWarning::alertDelay.count());
    EXPECT_EQ(seen.text, QStringLiteral("Move Morvane Color Picker to Applications"));
    EXPECT_EQ(seen.informative,
              QStringLiteral("To enable automatic updates, please drag Morvane Color Picker to "
                             "your Applications folder, then relaunch."));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Reveal in Finder")));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Later")));
    EXPECT_EQ(seen.policyWhileShown, ActivationPolicy::regular);
    EXPECT_GE(presence.activations, 1);
    EXPECT_TRUE(reveal.revealed.isEmpty());

    EXPECT_TRUE(controller.hasPendingDemotion()) << "demotes when idle, after 0.2 s";
    QSignalSpy idle(&controller, &ActivationPolicyController::idleTestRan);
    ASSERT_TRUE(idle.wait(5000));
    EXPECT_EQ(presence.policy, ActivationPolicy::accessory);

    EXPECT_FALSE(warning.check(relocated)) << "never a second time";
}

TEST_F(RelocationFixture, RevealShowsTheBundleAndARegularApplicationStaysRegular)
{
    presence.policy = ActivationPolicy::regular;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(warning.check(relocated));
    answerAlert(QStringLiteral("Reveal in Finder"), clock);
    EXPECT_EQ(reveal.revealed, QStringList{relocated});
    EXPECT_FALSE(controller.hasPendingDemotion());
    EXPECT_EQ(presence.policy, ActivationPolicy::regular);
}
