#include "platform/instance/SingleInstance.h"

#include "core/Log.h"
#include "platform/instance/LocalConnection.h"
#include "platform/instance/SingleInstanceProtocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

namespace {

const QByteArray reopenRequest = SingleInstanceProtocol::reopenRequest;
const QByteArray pickRequest = SingleInstanceProtocol::pickRequest;
const QByteArray acknowledgement = SingleInstanceProtocol::acknowledgement;
const QByteArray busyAnswer = SingleInstanceProtocol::busyAnswer;
const QByteArray pickedAnswer = SingleInstanceProtocol::pickedAnswer;
const QByteArray cancelledAnswer = SingleInstanceProtocol::cancelledAnswer;
const QByteArray unavailableAnswer = SingleInstanceProtocol::unavailableAnswer;
constexpr qsizetype longestLine = SingleInstanceProtocol::longestLine;
// A copy of ours writes its request as soon as it connects; a peer silent for this long is not
// one, and is hung up on.
constexpr std::chrono::seconds requestTimeLimit{3};
// Open connections, and pick requests waiting for the pick: more is a storm, not launches.
constexpr int openConnectionLimit = 64;
constexpr qsizetype waitingPickLimit = 16;

QString runtimeDirectory(const QString& directory)
{
    if (!directory.isEmpty())
        return directory;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool isHex(const QByteArray& text)
{
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-F]{6}$"));
    return hex.match(QString::fromLatin1(text)).hasMatch();
}

} // namespace

SingleInstance::SingleInstance(const QString& directory, const QString& name, QObject* parent)
    : QObject(parent),
      m_lockPath(QDir(runtimeDirectory(directory))
                     .filePath(name + QLatin1String(SingleInstanceProtocol::lockSuffix))),
      m_socketPath(QDir(runtimeDirectory(directory))
                       .filePath(name + QLatin1String(SingleInstanceProtocol::socketSuffix))),
      m_lock(m_lockPath), m_listener(longestLine, {.acceptsPerTurn = 16,
                                                   .openConnections = openConnectionLimit,
                                                   .refusal = busyAnswer})
{
    // The running copy may run for weeks: its lock never goes stale by age, only when the
    // process that holds it is gone.
    m_lock.setStaleLockTime(0);
    connect(&m_listener, &LocalListener::newConnection, this, &SingleInstance::acceptConnection);
}

// The listener takes its connections with it: a pick request still waiting when the copy
// quits sees the hang-up, and ends as lost, not as a cancel.
SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError)
            return false;
        Log("lifecycle").warning("single-instance lock unusable at " + m_lockPath.toStdString());
        return true;
    }
    // Holding the lock, a socket file left here belongs to a copy that is gone: the new one
    // replaces it.
    if (!m_listener.listen(m_socketPath))
        Log("lifecycle")
            .warning("single-instance socket unusable: " + m_listener.errorString().toStdString());
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

std::optional<LocalSocket> SingleInstance::sendRequest(const QByteArray& request,
                                                       const QDeadlineTimer& deadline,
                                                       Reply& reply) const
{
    reply = Reply::none;
    // The running copy may hold the lock and not listen yet, or be too busy to take us now:
    // retry until the deadline.
    while (!deadline.hasExpired()) {
        if (std::optional<LocalSocket> socket = LocalSocket::connectTo(m_socketPath, longestLine)) {
            const std::optional<QByteArray> line =
                socket->writeAll(request, deadline) ? socket->readLine(deadline) : std::nullopt;
            // Out of time while a copy that was busy before is still silent: busy still.
            const bool stillBusy = !line && reply == Reply::busy && deadline.hasExpired();
            if (line != busyAnswer && !stillBusy) {
                reply = line == acknowledgement ? Reply::acknowledged : Reply::other;
                return socket;
            }
            reply = Reply::busy;
        }
        // A copy that is starting listens within tens of milliseconds, and a "--pick" that
        // started it waits for that: a coarse retry would add most of its period to the pick.
        QThread::msleep(reply == Reply::busy ? 10 : 1);
    }
    return std::nullopt;
}

bool SingleInstance::requestReopen(std::chrono::milliseconds timeout)
{
    Reply reply = Reply::none;
    sendRequest(reopenRequest, QDeadlineTimer(timeout), reply);
    return reply == Reply::acknowledged;
}

SingleInstance::PickAnswer SingleInstance::requestPick(std::chrono::milliseconds timeout)
{
    using Outcome = PickAnswer::Outcome;
    Reply reply = Reply::none;
    std::optional<LocalSocket> socket = sendRequest(pickRequest, QDeadlineTimer(timeout), reply);
    if (!socket)
        return {.outcome = reply == Reply::busy ? Outcome::busy : Outcome::unreachable};
    if (reply != Reply::acknowledged)
        return {.outcome = Outcome::refused};

    // No deadline: the user may take minutes to pick.
    const std::optional<QByteArray> line = socket->readLine(QDeadlineTimer::Forever);
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
    const QList<QPointer<LocalConnection>> waiting = std::exchange(m_pickRequests, {});
    for (const QPointer<LocalConnection>& connection : waiting) {
        if (!connection)
            continue;
        connection->write(answer);
        connection->closeAfterWriting();
    }
}

void SingleInstance::acceptConnection(LocalConnection* connection)
{
    connect(connection, &LocalConnection::closed, connection, &QObject::deleteLater);
    auto* silence = new QTimer(connection);
    silence->setSingleShot(true);
    connect(silence, &QTimer::timeout, connection, &LocalConnection::abort);
    silence->start(requestTimeLimit);
    connect(connection, &LocalConnection::lineReceived, this,
            [this, connection, silence](const QByteArray& line) {
                silence->stop();
                serve(*connection, line);
            });
}

void SingleInstance::serve(LocalConnection& connection, const QByteArray& line)
{
    // One request per connection: a line after a pick request is not one of ours either.
    if (m_pickRequests.contains(&connection) || (line != reopenRequest && line != pickRequest)) {
        connection.closeAfterWriting();
        return;
    }
    if (line == pickRequest) {
        m_pickRequests.removeIf([](const QPointer<LocalConnection>& waiting) {
            return !waiting || !waiting->isOpen();
        });
        if (m_pickRequests.size() >= waitingPickLimit) {
            connection.write(busyAnswer);
            connection.closeAfterWriting();
            return;
        }
    }
    connection.write(acknowledgement);
    if (line == reopenRequest) {
        connection.closeAfterWriting();
        emit reopenRequested();
        return;
    }
    m_pickRequests.append(&connection);
    emit pickRequested();
}
