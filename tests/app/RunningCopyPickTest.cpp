// "--pick" answered through a running copy with no Qt loaded: against a scripted copy for each
// answer a copy can give (or fail to), and against the real SingleInstance.
#include "app/runningcopy/RunningCopyPick.h"
#include "platform/instance/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Everything written to a pipe's write end by `write`, read after it returns.
struct Captured
{
    std::optional<int> status;
    std::string out;
    std::string err;
};

std::string drain(int fd)
{
    std::string text;
    char chunk[256];
    ssize_t got = 0;
    while ((got = ::read(fd, chunk, sizeof chunk)) > 0)
        text.append(chunk, std::size_t(got));
    return text;
}

Captured runCapturing(const std::string& socketPath)
{
    int out[2];
    int err[2];
    EXPECT_EQ(::pipe(out), 0);
    EXPECT_EQ(::pipe(err), 0);
    Captured captured;
    captured.status = RunningCopyPick::run(socketPath, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    captured.out = drain(out[0]);
    captured.err = drain(err[0]);
    ::close(out[0]);
    ::close(err[0]);
    return captured;
}

// A copy that takes one connection, reads one line and answers `script`, then hangs up.
class ScriptedCopy
{
public:
    ScriptedCopy(const std::string& path, std::string script)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_fd, 1), 0);
        m_request = std::async(std::launch::async, [this, script = std::move(script)] {
            const int connection = ::accept(m_fd, nullptr, nullptr);
            std::string line;
            char byte = 0;
            while (line.find('\n') == std::string::npos && ::recv(connection, &byte, 1, 0) == 1)
                line.push_back(byte);
            ::send(connection, script.data(), script.size(), MSG_NOSIGNAL);
            ::close(connection);
            return line;
        });
    }
    ~ScriptedCopy() { ::close(m_fd); }

    std::string request() { return m_request.get(); }

private:
    int m_fd = -1;
    std::future<std::string> m_request;
};

} // namespace

TEST(RunningCopyPick, SocketPathIsInTheAbsoluteRuntimeFolder)
{
    EXPECT_EQ(RunningCopyPick::socketPath(nullptr), "");
    EXPECT_EQ(RunningCopyPick::socketPath(""), "");
    EXPECT_EQ(RunningCopyPick::socketPath("run/user/1000"), "");
    EXPECT_EQ(RunningCopyPick::socketPath("/run/user/1000"),
              "/run/user/1000/dev.morvane.colorpicker.socket");
    EXPECT_EQ(RunningCopyPick::socketPath("/run/user/1000/"),
              "/run/user/1000/dev.morvane.colorpicker.socket");
}

// Each answer as "--pick" reports it; where no copy took the request, nothing is printed and
// the full way is left to run.
TEST(RunningCopyPick, ReportsEachAnswerAndLeavesTheRestToTheFullWay)
{
    const struct
    {
        const char* name;
        std::string script;
        std::optional<int> status;
        std::string out;
        std::string err;
    } cases[] = {
        {"picked", "ok\npicked #3A7BD5\n", 0, "#3A7BD5\n", ""},
        {"cancelled", "ok\ncancelled\n", 1, "",
         "morvane-color-picker: no color picked: the pick was cancelled\n"},
        {"unavailable, control characters dropped", "ok\nunavailable no \x1b[31mscreen\xc2\x9b\n",
         1, "", "morvane-color-picker: no color picked: no [31mscreen\n"},
        {"unavailable without a reason", "ok\nunavailable \n", 1, "",
         "morvane-color-picker: the picker quit before the pick ended\n"},
        {"not a colour", "ok\npicked #3a7bd5\n", 1, "",
         "morvane-color-picker: the picker quit before the pick ended\n"},
        {"hung up mid-line", "ok\npicked #3A7", 1, "",
         "morvane-color-picker: the picker quit before the pick ended\n"},
        {"hung up after taking it", "ok\n", 1, "",
         "morvane-color-picker: the picker quit before the pick ended\n"},
        {"busy", "busy\n", std::nullopt, "", ""},
        {"hung up at once (an older copy)", "", std::nullopt, "", ""},
        {"an answer of another kind", "nope\n", std::nullopt, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QTemporaryDir folder;
        const std::string path = folder.filePath("copy.socket").toStdString();
        ScriptedCopy copy(path, c.script);

        const Captured captured = runCapturing(path);

        EXPECT_EQ(copy.request(), "pick\n");
        EXPECT_EQ(captured.status, c.status);
        EXPECT_EQ(captured.out, c.out);
        EXPECT_EQ(captured.err, c.err);
    }
}

TEST(RunningCopyPick, NoCopyListeningLeavesItToTheFullWay)
{
    const QTemporaryDir folder;
    const Captured captured = runCapturing(folder.filePath("none.socket").toStdString());
    EXPECT_EQ(captured.status, std::nullopt);
    EXPECT_EQ(captured.err, "");
    EXPECT_EQ(RunningCopyPick::run("", 1, 2), std::nullopt);
}

// A reader gone before the hex is written: reported, not a silent death by SIGPIPE.
TEST(RunningCopyPick, OutputThatCannotTakeTheHexIsReported)
{
    const QTemporaryDir folder;
    const std::string path = folder.filePath("copy.socket").toStdString();
    ScriptedCopy copy(path, "ok\npicked #3A7BD5\n");
    int out[2];
    int err[2];
    ASSERT_EQ(::pipe(out), 0);
    ASSERT_EQ(::pipe(err), 0);
    ::close(out[0]);

    EXPECT_EQ(RunningCopyPick::run(path, out[1], err[1]), 1);
    ::close(out[1]);
    ::close(err[1]);
    EXPECT_EQ(drain(err[0]), "morvane-color-picker: picked #3A7BD5, but standard output did "
                             "not take it (closed, full or a broken pipe)\n");
    ::close(err[0]);
    std::signal(SIGPIPE, SIG_DFL);
}

// The two sides agree: the real running copy's channel, answered from its event loop.
TEST(RunningCopyPick, TalksToTheRealRunningCopy)
{
    const QTemporaryDir folder;
    for (const auto& [hex, expected] :
         {std::pair<std::optional<QString>, std::string>{QStringLiteral("#0A0B0C"), "#0A0B0C\n"},
          {std::nullopt, ""}}) {
        SingleInstance running(folder.path());
        ASSERT_TRUE(running.claim());
        QObject::connect(&running, &SingleInstance::pickRequested, &running,
                         [&running, hex] { running.answerPickRequests(hex); });
        const std::string path =
            folder.filePath(SingleInstance::defaultName + QStringLiteral(".socket")).toStdString();
        auto pick = std::async(std::launch::async, [&] { return runCapturing(path); });
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return pick.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            10000));
        const Captured captured = pick.get();
        EXPECT_EQ(captured.status, hex ? 0 : 1);
        EXPECT_EQ(captured.out, expected);
    }
}

// The lock as the running copy holds it: held while it runs; free when absent or left behind.
TEST(RunningCopyPick, LockIsClaimedOnlyWhileACopyHoldsIt)
{
    const QTemporaryDir folder;
    const std::string lock = RunningCopyPick::lockPath(folder.path().toLocal8Bit().constData());
    EXPECT_FALSE(RunningCopyPick::isClaimed(lock)) << "no lock file";
    {
        SingleInstance running(folder.path());
        ASSERT_TRUE(running.claim());
        EXPECT_TRUE(RunningCopyPick::isClaimed(lock));
    }
    QFile left(QString::fromStdString(lock));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("12345\nmorvane-color-picker\nhost\n");
    left.close();
    EXPECT_FALSE(RunningCopyPick::isClaimed(lock)) << "a lock file nobody holds";
}
