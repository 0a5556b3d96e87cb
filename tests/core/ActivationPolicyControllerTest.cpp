#include "core/ActivationPolicyController.h"
#include "FakeApplicationPresence.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

// Real timers: the delays are short, and only lower bounds are checked exactly (a timer never
// fires early); upper bounds are generous for a loaded machine.
namespace {

constexpr int generousMilliseconds = 5000;

class ActivationPolicyControllerTest : public testing::Test
{
protected:
    FakeApplicationPresence presence;
    ActivationPolicyController controller{presence};
    QSignalSpy idleTests{&controller, &ActivationPolicyController::idleTestRan};
};

} // namespace

TEST_F(ActivationPolicyControllerTest, PromotesToRegularOnceAndAlwaysActivates)
{
    presence.policy = ActivationPolicy::accessory;
    controller.promoteNow();
    EXPECT_EQ(presence.policiesSet, QList{ActivationPolicy::regular});
    EXPECT_EQ(presence.activations, 1);

    controller.promoteNow();
    EXPECT_EQ(presence.policiesSet.size(), 1) << "already regular: not set again";
    EXPECT_EQ(presence.activations, 2);
}

TEST_F(ActivationPolicyControllerTest, IdleTestDemotesUnlessAnOrdinaryWindowShows)
{
    for (bool windowVisible : {false, true}) {
        SCOPED_TRACE(windowVisible ? "window visible" : "no window");
        presence.policy = ActivationPolicy::regular;
        presence.policiesSet.clear();
        presence.ordinaryWindowVisible = windowVisible;
        idleTests.clear();

        controller.demoteWhenIdle(true);
        EXPECT_EQ(presence.idleQuestions, 0) << "runs only after the present call returns";
        ASSERT_TRUE(idleTests.wait(generousMilliseconds));
        EXPECT_EQ(presence.policy,
                  windowVisible ? ActivationPolicy::regular : ActivationPolicy::accessory);
        presence.idleQuestions = 0;
    }
    // Accessory is written again even when already in force.
    presence.ordinaryWindowVisible = false;
    presence.policiesSet.clear();
    controller.demoteWhenIdle(true);
    ASSERT_TRUE(idleTests.wait(generousMilliseconds));
    controller.demoteWhenIdle(true);
    ASSERT_TRUE(idleTests.wait(generousMilliseconds));
    EXPECT_EQ(presence.policiesSet,
              (QList{ActivationPolicy::accessory, ActivationPolicy::accessory}));
}

TEST_F(ActivationPolicyControllerTest, ANewerDemotionReplacesThePendingOne)
{
    controller.demoteWhenIdle(false);
    QTest::qWait(100);
    QElapsedTimer sinceSecond;
    sinceSecond.start();
    controller.demoteWhenIdle(false);

    ASSERT_TRUE(idleTests.wait(generousMilliseconds));
    EXPECT_GE(sinceSecond.elapsed(), ActivationPolicyController::idleDelay.count());
    QTest::qWait(400);
    EXPECT_EQ(idleTests.size(), 1);
    EXPECT_EQ(presence.idleQuestions, 1);
}

TEST_F(ActivationPolicyControllerTest, PromotionCancelsAPendingDemotion)
{
    presence.policy = ActivationPolicy::accessory;
    controller.demoteWhenIdle(false);
    EXPECT_TRUE(controller.hasPendingDemotion());
    controller.promoteNow();
    EXPECT_FALSE(controller.hasPendingDemotion());

    QTest::qWait(int(ActivationPolicyController::idleDelay.count()) * 2);
    EXPECT_EQ(presence.idleQuestions, 0);
    EXPECT_EQ(presence.policy, ActivationPolicy::regular);
}
