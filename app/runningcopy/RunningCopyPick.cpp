#include "app/runningcopy/RunningCopyPick.h"

#include "app/runningcopy/PickMessages.h"
#include "core/commandline/CommandLineOptions.h"
#include "platform/instance/SingleInstanceProtocol.h"
#include "platform/instance/UniqueFd.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

extern char** environ;

namespace RunningCopyPick {

namespace {

namespace Protocol = SingleInstanceProtocol;

// The copy acknowledges a request at once; one silent this long is stuck, and the full way
// (which retries) decides what to tell the user.
constexpr int acknowledgementTimeoutMs = 3000;

bool writeAll(int fd, std::string_view bytes, bool socket)
{
    while (!bytes.empty()) {
        const ssize_t written = socket ? ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                       : ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

// One line, newline included, read a byte at a time (the answers are a few bytes, and what
// follows a line is not ours to take). Empty when the peer hung up, the line is too long or
// `timeoutMs` (-1: none) passed first; a line cut off by a hang-up lacks its newline.
std::string readLine(int fd, int timeoutMs)
{
    std::string line;
    while (line.size() <= std::size_t(Protocol::longestLine)) {
        pollfd readable{.fd = fd, .events = POLLIN, .revents = 0};
        const int ready = ::poll(&readable, 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return {};
        char byte = 0;
        const ssize_t got = ::recv(fd, &byte, 1, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return line;
        line.push_back(byte);
        if (byte == '\n')
            return line;
    }
    return {};
}

bool isHexColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    for (const char c : text.substr(1)) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// Shown on a terminal: control characters (C0, DEL and C1, which could steer the terminal)
// are dropped; the rest is UTF-8 from the copy.
std::string printable(std::string_view text)
{
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F)
            continue;
        if (byte == 0xC2 && i + 1 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            ++i;
            continue;
        }
        kept.push_back(text[i]);
    }
    return kept;
}

int fail(int err, std::string_view message)
{
    std::string line(PickMessages::prefix);
    line.append(message);
    line.push_back('\n');
    writeAll(err, line, false);
    return 1;
}

std::string inRuntimeFolder(const char* runtimeFolder, const char* suffix)
{
    if (!runtimeFolder || runtimeFolder[0] != '/')
        return {};
    std::string path(runtimeFolder);
    if (path.back() != '/')
        path.push_back('/');
    return path + Protocol::name + suffix;
}

const char* valueOf(const char* variable)
{
    const char* value = std::getenv(variable);
    return value ? value : "";
}

} // namespace

std::string socketPath(const char* runtimeFolder)
{
    return inRuntimeFolder(runtimeFolder, Protocol::socketSuffix);
}

std::string lockPath(const char* runtimeFolder)
{
    return inRuntimeFolder(runtimeFolder, Protocol::lockSuffix);
}

bool namesDisplay(std::string_view display, std::string_view waylandDisplay,
                  std::string_view platform)
{
    if (!display.empty() || !waylandDisplay.empty())
        return true;
    return !platform.empty() && !platform.starts_with("xcb") && !platform.starts_with("wayland");
}

std::string executablePath()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, std::size_t(length)) : std::string();
}

bool isClaimed(const std::string& lockPath)
{
    // The running copy holds an exclusive flock() on the file for its whole life; a shared
    // one is refused then. Taken, it is let go of at once (the file is left as found).
    const UniqueFd lock(::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!lock.isValid())
        return errno != ENOENT;
    return ::flock(lock.get(), LOCK_SH | LOCK_NB) != 0;
}

bool startCopyWhereNoneRuns(const char* runtimeFolder)
{
    const std::string lock = lockPath(runtimeFolder);
    if (lock.empty() ||
        !namesDisplay(valueOf("DISPLAY"), valueOf("WAYLAND_DISPLAY"), valueOf("QT_QPA_PLATFORM")) ||
        *valueOf("APPIMAGE") || isClaimed(lock))
        return false;
    std::string executable = executablePath();
    if (executable.empty())
        return false;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (*valueOf("HOME"))
        posix_spawn_file_actions_addchdir_np(&actions, valueOf("HOME"));
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string pickAtStart(CommandLineOptions::pickAtStart);
    char* arguments[] = {executable.data(), pickAtStart.data(), nullptr};
    pid_t copy = 0;
    const bool started =
        ::posix_spawn(&copy, executable.c_str(), &actions, &attributes, arguments, environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

std::optional<int> run(const std::string& socketPath, int out, int err,
                       std::chrono::milliseconds wait)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    const auto deadline = std::chrono::steady_clock::now() + wait;
    UniqueFd socket;
    for (;;) {
        socket.reset(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (!socket.isValid())
            return std::nullopt;
        if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
            0)
            break;
        // A copy starting listens within tens of milliseconds: a fine retry adds little.
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        ::usleep(1000);
    }
    if (!writeAll(socket.get(), Protocol::pickRequest, true) ||
        readLine(socket.get(), acknowledgementTimeoutMs) != Protocol::acknowledgement)
        return std::nullopt;

    // The pick runs: from here on the answer is this process's to give. No deadline: the
    // user may take minutes to pick.
    const std::string line = readLine(socket.get(), -1);
    if (line == Protocol::cancelledAnswer)
        return fail(err, PickMessages::cancelled);
    const std::string_view body =
        std::string_view(line).substr(0, line.empty() ? 0 : line.size() - 1);
    if (line.empty() || line.back() != '\n')
        return fail(err, PickMessages::lost);
    if (body.starts_with(Protocol::pickedAnswer)) {
        const std::string_view hex = body.substr(std::strlen(Protocol::pickedAnswer));
        if (isHexColour(hex)) {
            // A reader that went away is reported as a lost colour, not a silent death.
            std::signal(SIGPIPE, SIG_IGN);
            if (!writeAll(out, std::string(hex) + '\n', false)) {
                return fail(err, std::string("picked ") + std::string(hex) +
                                     PickMessages::outputRefused);
            }
            return 0;
        }
    }
    if (body.starts_with(Protocol::unavailableAnswer)) {
        const std::string reason = printable(body.substr(std::strlen(Protocol::unavailableAnswer)));
        if (!reason.empty())
            return fail(err, PickMessages::unavailable + reason);
    }
    return fail(err, PickMessages::lost);
}

void occupyClosedStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = ::open("/dev/null", fd == STDERR_FILENO ? O_WRONLY : O_RDONLY);
        if (opened != fd && opened >= 0) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

} // namespace RunningCopyPick
