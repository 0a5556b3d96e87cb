#include "platform/instance/SingleInstance.h"

#include "LocalSocketTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <set>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

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

// The socket descriptors this process holds now.
std::set<int> openSockets()
{
    std::set<int> sockets;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& name : descriptors.entryList(QDir::Files | QDir::System)) {
        if (QFile::symLinkTarget(descriptors.filePath(name)).contains(QStringLiteral("socket:")))
            sockets.insert(name.toInt());
    }
    return sockets;
}

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

TEST_F(SingleInstanceFixture, PeersThatAreNotOursAreHungUpOnWhileOthersAreServed)
{
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QSignalSpy reopens(&running, &SingleInstance::reopenRequested);

    // What a peer sends, what it gets before the hang-up, and whether the hang-up comes at
    // once or only when the copy's patience with a silent peer runs out (a few seconds).
    const struct
    {
        const char* name;
        QByteArray sent;
        QByteArray answer;
        bool atOnce;
    } cases[] = {
        {"never writes", "", "", false},
        {"stops mid-line", "reo", "", false},
        {"a line over the limit", QByteArray(600, 'x'), "", true},
        {"not a request", "hello\n", "", true},
        {"a second line after its pick", "pick\nreopen\n", "ok\n", true},
    };
    // All connected before a real launch asks, which must not wait for any of them.
    std::vector<std::future<std::pair<std::optional<QByteArray>, qint64>>> peers;
    for (const auto& c : cases) {
        auto fd = std::make_shared<UniqueFd>(connectRaw(running.socketPath()));
        ASSERT_TRUE(fd->isValid());
        peers.push_back(std::async(std::launch::async, [fd, &c] {
            QElapsedTimer clock;
            clock.start();
            ::send(fd->get(), c.sent.constData(), c.sent.size(), MSG_NOSIGNAL);
            const std::optional<QByteArray> received = receivedUntilHangUp(fd->get(), 10s);
            return std::pair(received, clock.elapsed());
        }));
    }
    EXPECT_TRUE(reopenFromAnotherCopy(5s));

    for (size_t i = 0; i < peers.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const auto [received, tookMs] = serveUntilReady(peers[i]);
        EXPECT_EQ(received, std::optional(cases[i].answer)) << "never hung up on";
        if (cases[i].atOnce) {
            EXPECT_LT(tookMs, 2000) << "hung up on only when the silence ran out";
        }
    }
    EXPECT_EQ(reopens.size(), 1);
}

TEST_F(SingleInstanceFixture, APickRequesterThatLeftEarlyIsSkippedWithoutSigpipe)
{
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QSignalSpy picks(&running, &SingleInstance::pickRequested);
    UniqueFd early = connectRaw(running.socketPath());
    ASSERT_EQ(::send(early.get(), "pick\n", 5, MSG_NOSIGNAL), 5);
    auto waiting = pickFromAnotherCopy();
    ASSERT_TRUE(QTest::qWaitFor([&] { return picks.size() == 2; }, 10000));

    // Gone with no turn of the event loop to notice: the answer goes to a closed socket.
    early.reset();
    const SigpipeCounter sigpipes;
    running.answerPickRequests(QStringLiteral("#3A7BD5"));
    const SingleInstance::PickAnswer got = serveUntilReady(waiting);
    EXPECT_EQ(got.outcome, Outcome::picked);
    EXPECT_EQ(got.hex, QStringLiteral("#3A7BD5"));
    EXPECT_EQ(sigpipes.count(), 0);
}

TEST_F(SingleInstanceFixture, TheChannelsSocketsAreClosedOnExec)
{
    // A program the copy starts (a browser, a file manager) must not inherit them: a waiting
    // pick request would not see the copy quit while that program runs.
    const std::set<int> before = openSockets();
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QSignalSpy picks(&running, &SingleInstance::pickRequested);
    auto waiting = pickFromAnotherCopy();
    ASSERT_TRUE(QTest::qWaitFor([&] { return picks.size() == 1; }, 10000));

    int added = 0;
    for (const int fd : openSockets()) {
        if (before.contains(fd))
            continue;
        ++added;
        EXPECT_TRUE(::fcntl(fd, F_GETFD) & FD_CLOEXEC) << "descriptor " << fd;
    }
    EXPECT_GE(added, 3) << "the listener, the accepted and the connected socket";
    running.answerPickRequests(std::nullopt);
    EXPECT_EQ(serveUntilReady(waiting).outcome, Outcome::cancelled);
}

TEST_F(SingleInstanceFixture, ALaunchOfThePreviousVersionIsServed)
{
    // It asked through Qt's local socket, with the same lines.
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QObject::connect(&running, &SingleInstance::pickRequested, &running,
                     [&] { running.answerPickRequests(QStringLiteral("#3A7BD5")); });
    const struct
    {
        QByteArray request;
        QByteArray answer;
    } cases[] = {{"reopen\n", "ok\n"}, {"pick\n", "ok\npicked #3A7BD5\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.constData());
        QLocalSocket previous;
        QByteArray received;
        QObject::connect(&previous, &QLocalSocket::readyRead,
                         [&] { received += previous.readAll(); });
        previous.connectToServer(running.socketPath());
        ASSERT_TRUE(previous.waitForConnected(5000));
        previous.write(c.request);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return previous.state() == QLocalSocket::UnconnectedState; }, 10000));
        EXPECT_EQ(received, c.answer);
    }
}

// A peer that connects and hangs up as fast as it can: the running copy keeps serving, and the
// descriptors it holds stay within its cap.
TEST_F(SingleInstanceFixture, ALaunchIsServedDuringAStormOfPeersThatConnectAndHangUp)
{
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QSignalSpy reopens(&running, &SingleInstance::reopenRequested);
    const std::size_t before = openSockets().size();
    std::atomic<bool> storming = true;
    std::atomic<int> connections = 0;
    const auto storm = [&] {
        const std::optional<sockaddr_un> address = localSocketAddress(running.socketPath());
        while (storming) {
            const UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
            if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address),
                          sizeof *address) == 0)
                ++connections;
        }
    };
    std::thread stormers[] = {std::thread(storm), std::thread(storm)};

    std::size_t mostHeld = 0;
    const auto serveFor = [&](std::chrono::milliseconds span) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < span.count()) {
            QCoreApplication::processEvents();
            mostHeld = std::max(mostHeld, openSockets().size() - before);
        }
    };
    serveFor(300ms);
    auto reopen = std::async(std::launch::async, [&] {
        SingleInstance other(runtime.path());
        return other.requestReopen(5s);
    });
    while (reopen.wait_for(0ms) != std::future_status::ready)
        serveFor(5ms);
    EXPECT_TRUE(reopen.get()) << "no reopen during the storm";
    serveFor(300ms);
    storming = false;
    for (std::thread& stormer : stormers)
        stormer.join();

    EXPECT_EQ(reopens.size(), 1);
    EXPECT_GT(connections.load(), 1000) << "not much of a storm";
    // 64 connections, the storm's two and the reopen's own.
    EXPECT_LE(mostHeld, 64u + 3u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return openSockets().size() == before; }, 5000));
}

// Beyond 64 open connections, or 16 pick requests waiting, a new peer is answered "busy" and
// hung up on at once; the requests already taken are served as ever.
TEST_F(SingleInstanceFixture, BeyondItsCapsANewPeerIsToldItIsBusyAtOnce)
{
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.claim());
    QSignalSpy picks(&running, &SingleInstance::pickRequested);
    const auto serve = [] {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    };

    // Sixteen pick requests wait; the seventeenth is turned away.
    std::vector<UniqueFd> waiting;
    for (int i = 0; i < 16; ++i) {
        waiting.push_back(connectRaw(running.socketPath()));
        ASSERT_EQ(::send(waiting.back().get(), "pick\n", 5, MSG_NOSIGNAL), 5);
        serve();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return picks.size() == 16; }, 5000));
    auto turnedAway = std::async(std::launch::async, [&] {
        SingleInstance other(runtime.path());
        return other.requestPick(1s);
    });
    EXPECT_EQ(serveUntilReady(turnedAway).outcome, Outcome::busy);
    EXPECT_EQ(picks.size(), 16);

    // Silent peers fill the connections up to 64; the next one is refused at once.
    std::vector<UniqueFd> silent;
    while (waiting.size() + silent.size() < 64) {
        silent.push_back(connectRaw(running.socketPath()));
        serve();
    }
    const UniqueFd refused = connectRaw(running.socketPath());
    serve();
    QElapsedTimer clock;
    clock.start();
    auto received =
        std::async(std::launch::async, [&] { return receivedUntilHangUp(refused.get(), 2s); });
    EXPECT_EQ(serveUntilReady(received), std::optional<QByteArray>("busy\n"));
    EXPECT_LT(clock.elapsed(), 1000);

    // Room again: a launch is served, and the waiting picks get their colour.
    silent.clear();
    EXPECT_TRUE(reopenFromAnotherCopy(5s));
    running.answerPickRequests(QStringLiteral("#3A7BD5"));
    for (const UniqueFd& fd : waiting) {
        auto answer =
            std::async(std::launch::async, [&] { return receivedUntilHangUp(fd.get(), 5s); });
        EXPECT_EQ(serveUntilReady(answer), std::optional<QByteArray>("ok\npicked #3A7BD5\n"));
    }
}
