#include "platform/instance/LocalConnection.h"

#include <QPointer>

#include <cerrno>

#include <sys/socket.h>

LocalConnection::LocalConnection(UniqueFd fd, qsizetype longestLine, QObject* parent)
    : QObject(parent), m_fd(std::move(fd)), m_input(longestLine),
      m_readable(m_fd.get(), QSocketNotifier::Read), m_writable(m_fd.get(), QSocketNotifier::Write)
{
    m_fd.setNonBlocking(); // a blocking call would stall the event loop
    m_writable.setEnabled(false);
    connect(&m_readable, &QSocketNotifier::activated, this, &LocalConnection::readAvailable);
    connect(&m_writable, &QSocketNotifier::activated, this, &LocalConnection::sendPending);
}

LocalConnection::~LocalConnection()
{
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
}

void LocalConnection::write(QByteArrayView bytes)
{
    if (!isOpen())
        return;
    m_output.append(bytes);
    sendPending();
}

void LocalConnection::closeAfterWriting()
{
    m_closing = true;
    m_readable.setEnabled(false);
    sendPending();
}

void LocalConnection::abort()
{
    if (!isOpen())
        return;
    // Notifiers are only disabled: this may run inside one of their own signals.
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
    m_fd.reset();
    m_output.clear();
    emit closed();
}

// One read per notification: a peer that keeps sending cannot hold the event loop.
void LocalConnection::readAvailable()
{
    char chunk[1024];
    ssize_t got = 0;
    do
        got = ::recv(m_fd.get(), chunk, sizeof chunk, 0);
    while (got == -1 && errno == EINTR);
    if (got == -1 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return;
    if (got <= 0) {
        abort(); // hung up (0, ECONNRESET)
        return;
    }
    m_input.append(QByteArrayView(chunk, got));
    const QPointer<LocalConnection> alive(this);
    while (std::optional<QByteArray> line = m_input.takeLine()) {
        emit lineReceived(*line);
        if (!alive || !isOpen() || m_closing)
            return;
    }
    if (m_input.overflowed())
        abort();
}

void LocalConnection::sendPending()
{
    while (isOpen() && !m_output.isEmpty()) {
        const ssize_t sent =
            ::send(m_fd.get(), m_output.constData(), m_output.size(), MSG_NOSIGNAL);
        if (sent >= 0) {
            m_output.remove(0, sent);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            m_writable.setEnabled(true); // the rest once the peer has read some
            return;
        } else if (errno != EINTR) {
            abort(); // EPIPE, ECONNRESET: the peer is gone
            return;
        }
    }
    m_writable.setEnabled(false);
    if (m_closing)
        abort();
}
