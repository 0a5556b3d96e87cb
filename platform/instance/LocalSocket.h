#pragma once

#include "platform/instance/LineBuffer.h"
#include "platform/instance/UniqueFd.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QString>

#include <optional>

#include <sys/un.h>

// The address of the socket file at `path`; none when the path does not fit in one.
std::optional<sockaddr_un> localSocketAddress(const QString& path);

// The connecting end of a local (AF_UNIX) stream socket, for a process that waits for its
// answer: each call blocks until it is done, the peer hangs up, or the deadline passes
// (QDeadlineTimer::Forever waits as long as the peer stays). Needs no event loop, so it works
// from any thread; writing to a peer that hung up fails instead of raising SIGPIPE.
class LocalSocket
{
public:
    // One attempt to connect to the socket at `path`; none when nobody listens there (yet) or
    // its backlog is full. Lines read are at most `longestLine` bytes before the newline.
    static std::optional<LocalSocket> connectTo(const QString& path, qsizetype longestLine);
    // Takes over a connected stream socket and makes it non-blocking.
    LocalSocket(UniqueFd fd, qsizetype longestLine);

    // Writes all of `bytes`; false when the peer hung up or the deadline passed first.
    bool writeAll(QByteArrayView bytes, const QDeadlineTimer& deadline);
    // The next line, with its newline; none when the peer hangs up first, the line is longer
    // than `longestLine`, or the deadline passes.
    std::optional<QByteArray> readLine(const QDeadlineTimer& deadline);

private:
    // Waits until the socket is ready for `events` (or hung up); false at the deadline.
    bool waitFor(short events, const QDeadlineTimer& deadline) const;

    UniqueFd m_fd;
    LineBuffer m_input;
};
