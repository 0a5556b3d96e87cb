#include "SingleInstance.h"

#include "Log.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

const QByteArray reopenRequest = "reopen\n";
const QByteArray pickRequest = "pick\n";
const QByteArray acknowledgement = "ok\n";
const QByteArray pickedAnswer = "picked ";
const QByteArray cancelledAnswer = "cancelled\n";
const QByteArray unavailableAnswer = "unavailable ";
// Longer than any request or answer line; a peer sending more without a newline is not one
// of ours.
constexpr qint64 longestLine = 512;

QString runtimeDirectory(const QString& directory)
{
    if (!directory.isEmpty())
        return directory;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(qMax<qint64>(deadline.remainingTime(), 1));
}

// Reads one line; waits at most until the deadline, or for ever without one.
std::optional<QByteArray> readLine(QLocalSocket& socket, const QDeadlineTimer* deadline)
{
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > longestLine ||
            !socket.waitForReadyRead(deadline ? remainingMs(*deadline) : -1))
            return std::nullopt;
    }
    return socket.readLine(longestLine + 1);
}

bool isHex(const QByteArray& text)
{
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-F]{6}$"));
    return hex.match(QString::fromLatin1(text)).hasMatch();
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

SingleInstance::~SingleInstance()
{
    // A pick request still waiting when the copy quits ends as lost, not as a cancel.
    for (const QPointer<QLocalSocket>& socket : std::as_const(m_pickRequests)) {
        if (socket)
            socket->abort();
    }
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

bool SingleInstance::isClaimedElsewhere() const
{
    QLockFile probe(m_lockPath);
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) {
        probe.unlock();
        return false;
    }
    return probe.error() == QLockFile::LockFailedError;
}

std::unique_ptr<QLocalSocket> SingleInstance::sendRequest(const QByteArray& request,
                                                          const QDeadlineTimer& deadline,
                                                          bool& acknowledged) const
{
    acknowledged = false;
    // The running copy may hold the lock and not listen yet: retry until the deadline.
    while (!deadline.hasExpired()) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(m_socketPath);
        if (socket->waitForConnected(remainingMs(deadline))) {
            socket->write(request);
            socket->waitForBytesWritten(remainingMs(deadline));
            acknowledged = readLine(*socket, &deadline) == acknowledgement;
            return socket;
        }
        QThread::msleep(50);
    }
    return nullptr;
}

bool SingleInstance::requestReopen(std::chrono::milliseconds timeout)
{
    bool acknowledged = false;
    sendRequest(reopenRequest, QDeadlineTimer(timeout), acknowledged);
    return acknowledged;
}

SingleInstance::PickAnswer SingleInstance::requestPick(std::chrono::milliseconds timeout)
{
    using Outcome = PickAnswer::Outcome;
    bool acknowledged = false;
    const std::unique_ptr<QLocalSocket> socket =
        sendRequest(pickRequest, QDeadlineTimer(timeout), acknowledged);
    if (!socket)
        return {.outcome = Outcome::unreachable};
    if (!acknowledged)
        return {.outcome = Outcome::refused};

    // No deadline: the user may take minutes to pick.
    const std::optional<QByteArray> line = readLine(*socket, nullptr);
    if (line == cancelledAnswer)
        return {.outcome = Outcome::cancelled};
    if (!line || !line->endsWith('\n'))
        return {.outcome = Outcome::lost};
    if (line->startsWith(pickedAnswer)) {
        const QByteArray hex = line->mid(pickedAnswer.size()).chopped(1);
        if (isHex(hex))
            return {.outcome = Outcome::picked, .hex = QString::fromLatin1(hex)};
    }
    if (line->startsWith(unavailableAnswer)) {
        // Shown on a terminal: printable text only.
        QString reason = QString::fromUtf8(line->mid(unavailableAnswer.size()).chopped(1));
        reason.removeIf([](QChar c) { return !c.isPrint(); });
        if (!reason.isEmpty())
            return {.outcome = Outcome::unavailable, .reason = reason};
    }
    return {.outcome = Outcome::lost};
}

// One line, short enough for the peer to read.
static QByteArray pickAnswer(const std::optional<QString>& hex, const QString& reason)
{
    if (hex)
        return pickedAnswer + hex->toLatin1() + '\n';
    QString text = reason.simplified();
    if (text.isEmpty())
        return cancelledAnswer;
    QByteArray line = unavailableAnswer + text.toUtf8();
    while (line.size() >= longestLine) {
        text.chop(1);
        line = unavailableAnswer + text.toUtf8();
    }
    return line + '\n';
}

void SingleInstance::answerPickRequests(const std::optional<QString>& hex, const QString& reason)
{
    const QByteArray answer = pickAnswer(hex, reason);
    const QList<QPointer<QLocalSocket>> waiting = std::exchange(m_pickRequests, {});
    for (const QPointer<QLocalSocket>& socket : waiting) {
        if (!socket)
            continue;
        socket->write(answer);
        socket->disconnectFromServer(); // after the answer is written
    }
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(*socket); });
    }
}

void SingleInstance::serve(QLocalSocket& socket)
{
    if (!socket.canReadLine()) {
        if (socket.bytesAvailable() > longestLine)
            socket.abort();
        return;
    }
    const QByteArray line = socket.readLine();
    if (line != reopenRequest && line != pickRequest) {
        socket.disconnectFromServer();
        return;
    }
    socket.write(acknowledgement);
    socket.flush();
    if (line == reopenRequest) {
        emit reopenRequested();
        return;
    }
    m_pickRequests.append(&socket);
    emit pickRequested();
}
