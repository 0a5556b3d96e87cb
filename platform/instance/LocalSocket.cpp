#include "platform/instance/LocalSocket.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>

std::optional<sockaddr_un> localSocketAddress(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || encoded.size() >= qsizetype(sizeof address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, encoded.constData(), encoded.size());
    return address;
}

std::optional<LocalSocket> LocalSocket::connectTo(const QString& path, qsizetype longestLine)
{
    const std::optional<sockaddr_un> address = localSocketAddress(path);
    if (!address)
        return std::nullopt;
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.isValid())
        return std::nullopt;
    // A local connect completes at once or fails (EAGAIN when the backlog is full, never
    // EINPROGRESS); the caller retries any failure with a new socket.
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0)
        return std::nullopt;
    return LocalSocket(std::move(fd), longestLine);
}

LocalSocket::LocalSocket(UniqueFd fd, qsizetype longestLine)
    : m_fd(std::move(fd)), m_input(longestLine)
{
    m_fd.setNonBlocking();
}

bool LocalSocket::writeAll(QByteArrayView bytes, const QDeadlineTimer& deadline)
{
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(m_fd.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent >= 0) {
            bytes = bytes.sliced(sent);
            continue;
        }
        if (errno == EINTR)
            continue;
        if ((errno != EAGAIN && errno != EWOULDBLOCK) || !waitFor(POLLOUT, deadline))
            return false; // EPIPE or ECONNRESET: the peer is gone
    }
    return true;
}

std::optional<QByteArray> LocalSocket::readLine(const QDeadlineTimer& deadline)
{
    char chunk[1024];
    for (;;) {
        if (std::optional<QByteArray> line = m_input.takeLine())
            return line;
        if (m_input.overflowed())
            return std::nullopt;
        const ssize_t got = ::recv(m_fd.get(), chunk, sizeof chunk, 0);
        if (got > 0) {
            m_input.append(QByteArrayView(chunk, got));
            continue;
        }
        if (got == -1 && errno == EINTR)
            continue;
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK) || !waitFor(POLLIN, deadline))
            return std::nullopt; // hung up (0, ECONNRESET), or the deadline passed
    }
}

bool LocalSocket::waitFor(short events, const QDeadlineTimer& deadline) const
{
    pollfd watched{.fd = m_fd.get(), .events = events, .revents = 0};
    for (;;) {
        const qint64 remaining = deadline.remainingTime(); // -1: for ever
        const int timeout = int(std::min<qint64>(remaining, INT_MAX));
        const int ready = ::poll(&watched, 1, timeout);
        if (ready > 0)
            return true; // ready, or POLLHUP/POLLERR, which the next call reports
        if (ready == 0 || errno != EINTR)
            return false;
    }
}
