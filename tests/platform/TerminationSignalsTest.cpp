#include "platform/desktop/TerminationSignals.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

void (*currentHandler(int number))(int)
{
    struct sigaction action = {};
    sigaction(number, nullptr, &action);
    return action.sa_handler;
}

} // namespace

TEST(TerminationSignalsTest, EachSignalReachesTheEventLoopOnceThenEndsTheProcessAgain)
{
    {
        TerminationSignals termination;
        QSignalSpy received(&termination, &TerminationSignals::received);

        // With the default action either would end this test program here.
        ASSERT_EQ(std::raise(SIGTERM), 0);
        ASSERT_EQ(std::raise(SIGINT), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }));
        EXPECT_EQ(received.at(0).at(0).toInt(), SIGTERM);
        EXPECT_EQ(received.at(1).at(0).toInt(), SIGINT);

        // A second signal of a kind is no longer caught: a hung quit can still be ended.
        EXPECT_EQ(currentHandler(SIGTERM), SIG_DFL);
        EXPECT_EQ(currentHandler(SIGINT), SIG_DFL);
    }

    // Gone, it leaves the actions it found.
    std::signal(SIGTERM, SIG_IGN);
    {
        const TerminationSignals termination({SIGTERM});
        EXPECT_NE(currentHandler(SIGTERM), SIG_IGN);
    }
    EXPECT_EQ(currentHandler(SIGTERM), SIG_IGN);
    std::signal(SIGTERM, SIG_DFL);
}
