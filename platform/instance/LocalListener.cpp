#include "platform/instance/LocalListener.h"

#include "platform/instance/LocalConnection.h"
#include "platform/instance/LocalSocket.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <system_error>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many launches as can plausibly knock at once.
constexpr int backlog = 50;
// How long to leave the backlog alone when accepting fails for want of descriptors or memory.
constexpr std::chrono::milliseconds acceptPause{100};

} // namespace

LocalListener::LocalListener(qsizetype longestLine, QObject* parent)
    : LocalListener(longestLine, Limits(), parent)
{
}

LocalListener::LocalListener(qsizetype longestLine, Limits limits, QObject* parent)
    : QObject(parent), m_longestLine(longestLine), m_limits(std::move(limits))
{
}

LocalListener::~LocalListener()
{
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

bool LocalListener::fail(const char* step)
{
    m_error = QStringLiteral("%1: %2").arg(
        QLatin1StringView(step), QString::fromStdString(std::generic_category().message(errno)));
    return false;
}

bool LocalListener::listen(const QString& path)
{
    const std::optional<sockaddr_un> address = localSocketAddress(path);
    if (!address) {
        errno = ENAMETOOLONG;
        return fail("socket path");
    }
    // A short folder name: the bound path fits wherever the final one does (for socket names
    // of eight characters or more).
    QByteArray folder =
        QFile::encodeName(QFileInfo(path).absolutePath() + QStringLiteral("/XXXXXX"));
    if (!::mkdtemp(folder.data())) // mode 0700
        return fail("mkdtemp");
    const QString bound = QFile::decodeName(folder) + QStringLiteral("/s");
    const auto removeFolder = qScopeGuard([&] {
        QFile::remove(bound);
        ::rmdir(folder.constData());
    });
    const std::optional<sockaddr_un> boundAddress = localSocketAddress(bound);
    if (!boundAddress) {
        errno = ENAMETOOLONG;
        return fail("socket path");
    }
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.isValid())
        return fail("socket");
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&*boundAddress), sizeof *boundAddress) !=
        0)
        return fail("bind");
    if (::listen(fd.get(), backlog) != 0)
        return fail("listen");
    if (::chmod(QFile::encodeName(bound).constData(), S_IRWXU) != 0)
        return fail("chmod");
    if (::rename(QFile::encodeName(bound).constData(), QFile::encodeName(path).constData()) != 0)
        return fail("rename");

    m_fd = std::move(fd);
    m_path = path;
    m_notifier = std::make_unique<QSocketNotifier>(m_fd.get(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &LocalListener::acceptPending);
    return true;
}

bool LocalListener::atConnectionLimit()
{
    if (m_connections.size() < m_limits.openConnections)
        return false;
    m_connections.removeIf([](const QPointer<LocalConnection>& connection) {
        return !connection || !connection->isOpen();
    });
    return m_connections.size() >= m_limits.openConnections;
}

// A bounded number per turn: the socket stays readable while peers wait, so the next turn
// takes the next ones, and whatever else the loop has to do runs in between.
void LocalListener::acceptPending()
{
    for (int attempt = 0; attempt < m_limits.acceptsPerTurn; ++attempt) {
        UniqueFd fd(::accept4(m_fd.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (fd.isValid()) {
            if (atConnectionLimit()) {
                // Refused at once: a line the peer can read, then the hang-up.
                ::send(fd.get(), m_limits.refusal.constData(), m_limits.refusal.size(),
                       MSG_NOSIGNAL | MSG_DONTWAIT);
                continue;
            }
            auto* connection = new LocalConnection(std::move(fd), m_longestLine, this);
            m_connections.append(connection);
            emit newConnection(connection);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED) // ECONNABORTED: that peer gave up
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return;
        // Out of descriptors or memory: the peers wait in the backlog. The socket stays
        // readable, so pause instead of spinning on it.
        m_notifier->setEnabled(false);
        QTimer::singleShot(acceptPause, this, [this] { m_notifier->setEnabled(true); });
        return;
    }
}
