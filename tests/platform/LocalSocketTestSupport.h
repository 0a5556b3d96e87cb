#pragma once

#include "platform/instance/LocalSocket.h"
#include "platform/instance/UniqueFd.h"

#include <QByteArray>
#include <QDeadlineTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <optional>
#include <utility>

#include <poll.h>
#include <sys/socket.h>

// Counts the SIGPIPEs raised while it lives. With the default action a write that raises one
// would end the test program; with an inherited SIG_IGN it would go unseen.
class SigpipeCounter
{
public:
    SigpipeCounter()
    {
        raised = 0;
        struct sigaction counting = {};
        counting.sa_handler = [](int) { ++raised; };
        sigaction(SIGPIPE, &counting, &m_previous);
    }
    ~SigpipeCounter() { sigaction(SIGPIPE, &m_previous, nullptr); }
    SigpipeCounter(const SigpipeCounter&) = delete;
    SigpipeCounter& operator=(const SigpipeCounter&) = delete;

    int count() const { return raised; }

private:
    static inline std::atomic<int> raised = 0; // lock-free, so safe in a handler
    struct sigaction m_previous = {};
};

// Two connected ends of a local stream socket.
inline std::pair<UniqueFd, UniqueFd> socketPair()
{
    int ends[2] = {-1, -1};
    ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends);
    return {UniqueFd(ends[0]), UniqueFd(ends[1])};
}

// A blocking connection to the socket at `path`, for a peer scripted byte by byte.
inline UniqueFd connectRaw(const QString& path)
{
    const std::optional<sockaddr_un> address = localSocketAddress(path);
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!address ||
        ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0)
        fd.reset();
    return fd;
}

// What arrives at `fd` until the other end hangs up; none when it has not within `limit`.
inline std::optional<QByteArray> receivedUntilHangUp(int fd, std::chrono::milliseconds limit)
{
    QByteArray received;
    const QDeadlineTimer deadline(limit);
    for (;;) {
        pollfd watched{.fd = fd, .events = POLLIN, .revents = 0};
        if (::poll(&watched, 1, int(deadline.remainingTime())) <= 0)
            return std::nullopt;
        char chunk[256];
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0)
            return received; // 0, or ECONNRESET when it left some of ours unread
        received.append(chunk, got);
    }
}
