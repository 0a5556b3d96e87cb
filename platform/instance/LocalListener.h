#pragma once

#include "platform/instance/UniqueFd.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class LocalConnection;
class QSocketNotifier;

// A listening local (AF_UNIX) stream socket at a path in the file system, served from the
// event loop of the thread that listens. Only the user can connect to it, from the moment it
// appears: it is bound in a fresh private folder beside the path, made user-only, then renamed
// into place, replacing whatever was there. The socket file goes with the listener.
//
// A peer that connects and hangs up thousands of times a second cannot hold the event loop or
// use up descriptors: each turn of the loop takes at most `acceptsPerTurn` connections (the
// rest wait in the backlog for the next turn), and beyond `openConnections` open at once a new
// peer is sent the refusal line and hung up on at once.
class LocalListener : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int acceptsPerTurn = 16;
        int openConnections = 64;
        QByteArray refusal = "busy\n";
    };

    // Connections read lines of at most `longestLine` bytes before the newline.
    explicit LocalListener(qsizetype longestLine, QObject* parent = nullptr);
    LocalListener(qsizetype longestLine, Limits limits, QObject* parent = nullptr);
    ~LocalListener() override;

    // False when the socket could not be made; errorString() says why.
    bool listen(const QString& path);
    QString errorString() const { return m_error; }

signals:
    // A peer connected. The connection is a child of the listener; it lives until the
    // listener goes or someone deletes it (after its closed(), say).
    void newConnection(LocalConnection* connection);

private:
    bool fail(const char* step);
    void acceptPending();

    bool atConnectionLimit();

    qsizetype m_longestLine;
    Limits m_limits;
    QList<QPointer<LocalConnection>> m_connections; // those open, and some that closed since
    UniqueFd m_fd;
    QString m_path;
    QString m_error;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
