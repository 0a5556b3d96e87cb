#include "SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <future>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct SingleInstanceFixture : testing::Test
{
    QTemporaryDir runtime;

    // Asks for a reopen from another thread, as a second process would, while this thread's
    // event loop serves the running copy.
    bool reopenFromAnotherCopy(std::chrono::milliseconds timeout)
    {
        auto answer = std::async(std::launch::async, [&] {
            SingleInstance other(runtime.path());
            return other.requestReopen(timeout);
        });
        while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return answer.get();
    }
};

} // namespace

TEST_F(SingleInstanceFixture, TheFirstClaimWinsAndLaterLaunchesReachItsReopen)
{
    SingleInstance running(runtime.path());
    QSignalSpy reopens(&running, &SingleInstance::reopenRequested);
    ASSERT_TRUE(running.claim());
    EXPECT_FALSE(SingleInstance(runtime.path()).claim());

    EXPECT_TRUE(reopenFromAnotherCopy(std::chrono::seconds(5)));
    EXPECT_TRUE(reopenFromAnotherCopy(std::chrono::seconds(5)));
    EXPECT_EQ(reopens.size(), 2);
    EXPECT_EQ(QFile::permissions(running.socketPath()) &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
}

TEST_F(SingleInstanceFixture, ALockAndSocketLeftByADeadCopyAreTakenOver)
{
    // A copy that claims and dies without cleaning up.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        QLockFile lock(SingleInstance(runtime.path()).lockPath());
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(SingleInstance(runtime.path()).lockPath()));
    QFile socket(SingleInstance(runtime.path()).socketPath());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QSignalSpy reopens(&running, &SingleInstance::reopenRequested);
    EXPECT_TRUE(reopenFromAnotherCopy(std::chrono::seconds(5)));
    EXPECT_EQ(reopens.size(), 1);
}

TEST_F(SingleInstanceFixture, AReopenWithNobodyListeningGivesUpAtItsDeadline)
{
    SingleInstance alone(runtime.path());
    EXPECT_FALSE(alone.requestReopen(std::chrono::milliseconds(300)));
}

TEST_F(SingleInstanceFixture, AnUnusableFolderStillLetsTheApplicationRun)
{
    SingleInstance nowhere(runtime.filePath(QStringLiteral("missing/deeper")));
    EXPECT_TRUE(nowhere.claim());
}
