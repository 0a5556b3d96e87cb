#include "SingleInstance.h"

#include "Log.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

const QByteArray reopenRequest = "reopen\n";
const QByteArray acknowledgement = "ok\n";

QString runtimeDirectory(const QString& directory)
{
    if (!directory.isEmpty())
        return directory;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

SingleInstance::SingleInstance(const QString& directory, const QString& name, QObject* parent)
    : QObject(parent),
      m_lockPath(QDir(runtimeDirectory(directory)).filePath(name + QStringLiteral(".lock"))),
      m_socketPath(QDir(runtimeDirectory(directory)).filePath(name + QStringLiteral(".socket"))),
      m_lock(m_lockPath)
{
    // The running copy may run for weeks: its lock never goes stale by age, only when the
    // process that holds it is gone.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::claim()
{
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError)
            return false;
        Log("lifecycle").warning("single-instance lock unusable at " + m_lockPath.toStdString());
        return true;
    }
    // Holding the lock, a socket file left here belongs to a copy that is gone.
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_socketPath))
        Log("lifecycle")
            .warning("single-instance socket unusable: " + m_server.errorString().toStdString());
    return true;
}

bool SingleInstance::requestReopen(std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    const auto remaining = [&deadline] {
        return static_cast<int>(qMax<qint64>(deadline.remainingTime(), 1));
    };
    // The running copy may hold the lock and not listen yet: retry until the deadline.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(remaining())) {
            socket.write(reopenRequest);
            socket.waitForBytesWritten(remaining());
            while (socket.bytesAvailable() < acknowledgement.size() &&
                   socket.waitForReadyRead(remaining())) {
            }
            return socket.readAll().startsWith(acknowledgement);
        }
        QThread::msleep(50);
    }
    return false;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                // A peer that sends no line is not one of ours.
                if (socket->bytesAvailable() > 64)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine();
            if (line != reopenRequest) {
                socket->disconnectFromServer();
                return;
            }
            socket->write(acknowledgement);
            socket->flush();
            emit reopenRequested();
        });
    }
}
