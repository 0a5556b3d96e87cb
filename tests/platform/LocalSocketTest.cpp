#include "platform/instance/LocalSocket.h"
#include "LocalSocketTestSupport.h"
#include "platform/instance/LocalConnection.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <future>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr qsizetype longestLine = 512;

QList<QByteArray> byteByByte(const QByteArray& text)
{
    QList<QByteArray> pieces;
    for (char byte : text)
        pieces.append(QByteArray(1, byte));
    return pieces;
}

// What a peer sends, in pieces with a pause between them, and the lines a reader must get.
// Rows that do not hang up afterwards show the reader giving up on its own.
const struct LineCase
{
    const char* name;
    QList<QByteArray> pieces;
    bool hangUp;
    QList<QByteArray> lines;
} lineCases[] = {
    {"in one piece", {"ok\npicked #3A7BD5\n"}, true, {"ok\n", "picked #3A7BD5\n"}},
    {"cut inside a line", {"ok\npick", "ed #3A7BD5\n"}, true, {"ok\n", "picked #3A7BD5\n"}},
    {"byte by byte", byteByByte("ok\npicked #3A7BD5\n"), true, {"ok\n", "picked #3A7BD5\n"}},
    {"hung up mid-line", {"ok\npick"}, true, {"ok\n"}},
    {"the longest line",
     {QByteArray(longestLine, 'x') + '\n'},
     true,
     {QByteArray(longestLine, 'x') + '\n'}},
    {"one byte over", {"ok\n", QByteArray(longestLine + 1, 'x') + '\n'}, false, {"ok\n"}},
    {"no newline ever", {QByteArray(longestLine, 'x'), QByteArray(600, 'x')}, false, {}},
};

// Sends the row's pieces from another thread; hangs up after them when the row says so.
std::thread sendPieces(const LineCase& c, UniqueFd& far)
{
    return std::thread([&c, &far] {
        for (const QByteArray& piece : c.pieces) {
            ::send(far.get(), piece.constData(), piece.size(), MSG_NOSIGNAL);
            std::this_thread::sleep_for(2ms);
        }
        if (c.hangUp)
            far.reset();
    });
}

// Reads everything a peer sends until it hangs up, a piece at a time.
std::future<QByteArray> readSlowly(UniqueFd& far)
{
    return std::async(std::launch::async, [&far] {
        QByteArray received;
        char chunk[4096];
        while (const ssize_t got = ::recv(far.get(), chunk, sizeof chunk, 0)) {
            if (got < 0)
                break;
            received.append(chunk, got);
            std::this_thread::sleep_for(100us);
        }
        return received;
    });
}

QByteArray payload()
{
    QByteArray bytes(1 << 20, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 % 251);
    return bytes;
}

// A send buffer far smaller than the payload: writes go out in many partial pieces.
void shrinkSendBuffer(const UniqueFd& fd)
{
    const int size = 4096;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
}

} // namespace

TEST(LocalSocketTest, ReadsWholeLinesHoweverTheyArriveAndGivesUpOnOverlongOnes)
{
    for (const LineCase& c : lineCases) {
        SCOPED_TRACE(c.name);
        auto [near, far] = socketPair();
        LocalSocket socket(std::move(near), longestLine);
        std::thread sender = sendPieces(c, far);
        auto reading = std::async(std::launch::async, [&socket] {
            QList<QByteArray> lines;
            while (std::optional<QByteArray> line = socket.readLine(QDeadlineTimer::Forever))
                lines.append(*line);
            return lines;
        });
        const bool done = reading.wait_for(10s) == std::future_status::ready;
        sender.join();
        far.reset(); // ends a reader that is still waiting
        EXPECT_TRUE(done) << "still reading";
        EXPECT_EQ(reading.get(), c.lines);
    }
}

TEST(LocalConnectionTest, DeliversWholeLinesHoweverTheyArriveAndHangsUpOnOverlongOnes)
{
    for (const LineCase& c : lineCases) {
        SCOPED_TRACE(c.name);
        auto [near, far] = socketPair();
        LocalConnection connection(std::move(near), longestLine);
        QSignalSpy lines(&connection, &LocalConnection::lineReceived);
        QSignalSpy closed(&connection, &LocalConnection::closed);
        std::thread sender = sendPieces(c, far);
        EXPECT_TRUE(QTest::qWaitFor([&] { return closed.size() == 1; }, 10000)) << "still open";
        sender.join();
        QList<QByteArray> received;
        for (const QList<QVariant>& line : std::as_const(lines))
            received.append(line.at(0).toByteArray());
        EXPECT_EQ(received, c.lines);
        EXPECT_FALSE(connection.isOpen());
    }
}

TEST(LocalSocketTest, AWriteGoesOutWholeOrFailsWithoutSigpipe)
{
    const QByteArray bytes = payload();
    enum class Peer
    {
        readsSlowly,
        hungUp,
        neverReads
    };
    const struct
    {
        const char* name;
        Peer peer;
        bool written;
    } cases[] = {{"a slow reader", Peer::readsSlowly, true},
                 {"a peer that hung up", Peer::hungUp, false},
                 {"a peer that never reads, past the deadline", Peer::neverReads, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SigpipeCounter sigpipes;
        auto [near, far] = socketPair();
        shrinkSendBuffer(near);
        std::future<QByteArray> received;
        if (c.peer == Peer::readsSlowly)
            received = readSlowly(far);
        if (c.peer == Peer::hungUp)
            far.reset();
        {
            LocalSocket socket(std::move(near), longestLine);
            EXPECT_EQ(socket.writeAll(bytes, QDeadlineTimer(c.written ? 20s : 300ms)), c.written);
        }
        if (received.valid()) {
            EXPECT_TRUE(received.get() == bytes) << "the payload arrived cut or out of order";
        }
        EXPECT_EQ(sigpipes.count(), 0);
    }
}

TEST(LocalConnectionTest, SendsEverythingBeforeClosingAndNoSigpipeToAPeerThatHungUp)
{
    const QByteArray bytes = payload();
    for (const bool hungUp : {false, true}) {
        SCOPED_TRACE(hungUp ? "a peer that hung up" : "a slow reader");
        const SigpipeCounter sigpipes;
        auto [near, far] = socketPair();
        shrinkSendBuffer(near);
        std::future<QByteArray> received;
        if (hungUp)
            far.reset();
        else
            received = readSlowly(far);
        LocalConnection connection(std::move(near), longestLine);
        QSignalSpy closed(&connection, &LocalConnection::closed);
        connection.write(bytes);
        connection.closeAfterWriting();
        EXPECT_TRUE(QTest::qWaitFor([&] { return closed.size() == 1; }, 20000)) << "still open";
        if (received.valid()) {
            EXPECT_TRUE(received.get() == bytes) << "the payload arrived cut or out of order";
        }
        EXPECT_EQ(sigpipes.count(), 0);
    }
}
