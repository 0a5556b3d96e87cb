#pragma once

#include "platform/instance/LineBuffer.h"
#include "platform/instance/UniqueFd.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

// The accepted end of a local stream socket, served from the event loop of the thread that
// made it: lines are delivered as they arrive, and writes never block. What the peer cannot
// take yet is kept and sent when it can; writing to a peer that hung up closes the
// connection instead of raising SIGPIPE.
class LocalConnection : public QObject
{
    Q_OBJECT

public:
    // Takes over a connected stream socket and makes it non-blocking. Lines are at most
    // `longestLine` bytes before the newline; a peer sending a longer one is hung up on.
    LocalConnection(UniqueFd fd, qsizetype longestLine, QObject* parent = nullptr);
    ~LocalConnection() override;

    bool isOpen() const { return m_fd.isValid(); }
    // Sends `bytes` after whatever is still waiting to go.
    void write(QByteArrayView bytes);
    // Reads nothing more, and closes once everything written has gone to the peer.
    void closeAfterWriting();
    // Closes now, dropping what was not sent yet.
    void abort();

signals:
    // One line from the peer, with its newline.
    void lineReceived(const QByteArray& line);
    // Emitted once, when the connection closes: the peer hung up or sent a line over the
    // limit, a write failed, or closeAfterWriting() or abort() was called.
    void closed();

private:
    void readAvailable();
    void sendPending();

    UniqueFd m_fd; // first: outlives the notifiers watching it
    LineBuffer m_input;
    QByteArray m_output;
    bool m_closing = false;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
};
