#pragma once

#include "UniqueFd.h"

#include <QObject>
#include <QString>

#include <memory>

class LocalConnection;
class QSocketNotifier;

// A listening local (AF_UNIX) stream socket at a path in the file system, served from the
// event loop of the thread that listens. Only the user can connect to it, from the moment it
// appears: it is bound in a fresh private folder beside the path, made user-only, then renamed
// into place, replacing whatever was there. The socket file goes with the listener.
class LocalListener : public QObject
{
    Q_OBJECT

public:
    // Connections read lines of at most `longestLine` bytes before the newline.
    explicit LocalListener(qsizetype longestLine, QObject* parent = nullptr);
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

    qsizetype m_longestLine;
    UniqueFd m_fd;
    QString m_path;
    QString m_error;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
