#include "SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
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
        return serveUntilReady(answer);
    }

    // Asks for a pick from another thread, as "--pick" would.
    std::future<SingleInstance::PickAnswer> pickFromAnotherCopy()
    {
        return std::async(std::launch::async, [this] {
            SingleInstance other(runtime.path());
            return other.requestPick(std::chrono::seconds(5));
        });
    }

    template <typename T> static T serveUntilReady(std::future<T>& answer)
    {
        while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return answer.get();
    }
};

using Outcome = SingleInstance::PickAnswer::Outcome;

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

TEST_F(SingleInstanceFixture, PickRequestsWaitForThePickAndAllGetItsOutcome)
{
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QSignalSpy picks(&running, &SingleInstance::pickRequested);

    const QString noPortal = QStringLiteral("Screen picking needs the desktop portal "
                                            "(xdg-desktop-portal) with a screenshot back-end.");
    const struct
    {
        std::optional<QString> hex;
        QString reason;
        Outcome outcome;
    } cases[] = {{QStringLiteral("#3A7BD5"), {}, Outcome::picked},
                 {std::nullopt, {}, Outcome::cancelled},
                 {std::nullopt, noPortal, Outcome::unavailable},
                 // A reason longer than a line the peer reads is cut, not lost.
                 {std::nullopt, QString(2000, u'x'), Outcome::unavailable}};
    for (const auto& c : cases) {
        picks.clear();
        // Two launches ask while one pick runs; both wait for it.
        auto first = pickFromAnotherCopy();
        auto second = pickFromAnotherCopy();
        ASSERT_TRUE(QTest::qWaitFor([&] { return picks.size() == 2; }, 10000));
        EXPECT_EQ(first.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout)
            << "answered before the pick ended";
        running.answerPickRequests(c.hex, c.reason);
        for (auto* answer : {&first, &second}) {
            const SingleInstance::PickAnswer got = serveUntilReady(*answer);
            EXPECT_EQ(got.outcome, c.outcome);
            EXPECT_EQ(got.hex, c.hex.value_or(QString()));
            EXPECT_EQ(got.reason.isEmpty(), c.reason.isEmpty());
            EXPECT_TRUE(c.reason.startsWith(got.reason)) << got.reason.toStdString();
            if (c.reason.size() < 200) {
                EXPECT_EQ(got.reason, c.reason);
            }
        }
    }
    // An ordinary second launch still means a reopen.
    QSignalSpy reopens(&running, &SingleInstance::reopenRequested);
    EXPECT_TRUE(reopenFromAnotherCopy(std::chrono::seconds(5)));
    EXPECT_EQ(reopens.size(), 1);
}

TEST_F(SingleInstanceFixture, APickRequestReadsOnlyAWellFormedAnswer)
{
    // A scripted running copy: what it answers to "pick\n", then it hangs up.
    const struct
    {
        const char* name;
        QByteArray reply;
        Outcome outcome;
        QString hex;
    } cases[] = {
        {"picked", "ok\npicked #3A7BD5\n", Outcome::picked, QStringLiteral("#3A7BD5")},
        {"cancelled", "ok\ncancelled\n", Outcome::cancelled, {}},
        {"an older copy hangs up", "", Outcome::refused, {}},
        {"gone mid-pick", "ok\n", Outcome::lost, {}},
        {"lower case", "ok\npicked #3a7bd5\n", Outcome::lost, {}},
        {"not a colour", "ok\npicked $(reboot)\n", Outcome::lost, {}},
        {"no newline", "ok\npicked #3A7BD5", Outcome::lost, {}},
        {"unavailable", "ok\nunavailable no portal\n", Outcome::unavailable, {}},
        {"unavailable without words", "ok\nunavailable \n", Outcome::lost, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QLocalServer server;
        const QString path = runtime.filePath(QStringLiteral("scripted.socket"));
        QLocalServer::removeServer(path);
        ASSERT_TRUE(server.listen(path));
        QByteArray request;
        QObject::connect(&server, &QLocalServer::newConnection, [&] {
            QLocalSocket* socket = server.nextPendingConnection();
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [&, socket] {
                if (!socket->canReadLine())
                    return;
                request = socket->readLine();
                socket->write(c.reply);
                socket->disconnectFromServer();
            });
        });
        auto answer = std::async(std::launch::async, [this] {
            return SingleInstance(runtime.path(), QStringLiteral("scripted"))
                .requestPick(std::chrono::seconds(5));
        });
        const SingleInstance::PickAnswer got = serveUntilReady(answer);
        EXPECT_EQ(request, QByteArray("pick\n"));
        EXPECT_EQ(got.outcome, c.outcome);
        EXPECT_EQ(got.hex, c.hex);
    }
}

TEST_F(SingleInstanceFixture, APickWithNobodyListeningIsUnreachable)
{
    SingleInstance alone(runtime.path());
    EXPECT_FALSE(alone.isClaimedElsewhere());
    EXPECT_EQ(alone.requestPick(std::chrono::milliseconds(300)).outcome, Outcome::unreachable);

    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    EXPECT_TRUE(alone.isClaimedElsewhere());
}
