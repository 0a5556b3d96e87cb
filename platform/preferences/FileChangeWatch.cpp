#include "platform/preferences/FileChangeWatch.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <sys/inotify.h>

#include <cerrno>

namespace {

constexpr uint32_t folderEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE |
                                  IN_ATTRIB | IN_CREATE | IN_DELETE_SELF | IN_MOVE_SELF |
                                  IN_ONLYDIR;

// Whether an event on a name that matters may mean a change. A new regular file is reported
// once its writer closes it, not while it is still empty; anything else new (a folder, a
// link, a pipe) at once.
bool isChange(uint32_t mask, const QString& path)
{
    if (mask & IN_CREATE)
        return (mask & IN_ISDIR) || !QFileInfo(path).isFile() || QFileInfo(path).isSymLink();
    return (mask & (IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_ATTRIB)) != 0;
}

} // namespace

FileChangeWatch::FileChangeWatch(const QString& path) : m_path(QFileInfo(path).absoluteFilePath())
{
    // Started from the event loop: a process that never runs one (a command-line reply) pays
    // nothing, not even the close of an inotify descriptor, which waits for the kernel.
    if (QCoreApplication::instance() && QAbstractEventDispatcher::instance())
        QMetaObject::invokeMethod(this, &FileChangeWatch::start, Qt::QueuedConnection);
}

FileChangeWatch::~FileChangeWatch() = default;

void FileChangeWatch::start()
{
    m_inotify = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!m_inotify.isValid())
        return;
    m_notifier = new QSocketNotifier(m_inotify.get(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FileChangeWatch::readEvents);
    arm();
    emit fileMayHaveChanged(); // it may have, before the watch began
}

// Watches the folders the path leads to now, and no others.
void FileChangeWatch::arm()
{
    Watches watches;
    watchTowards(m_path, watches);
    const QFileInfo info(m_path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        watchTowards(target.isEmpty() ? info.symLinkTarget() : target, watches);
    }
    for (auto it = m_watches.cbegin(); it != m_watches.cend(); ++it) {
        if (!watches.contains(it.key()))
            ::inotify_rm_watch(m_inotify.get(), it.key());
    }
    m_watches = std::move(watches);
}

// Watches the path's folder for its name or, while that folder is missing, the nearest
// folder above it that exists for the name of the next one on the way.
void FileChangeWatch::watchTowards(const QString& path, Watches& watches)
{
    QFileInfo step(path);
    while (!step.fileName().isEmpty()) {
        const QString folder = step.absolutePath();
        const int watch = ::inotify_add_watch(m_inotify.get(),
                                              QFile::encodeName(folder).constData(), folderEvents);
        if (watch >= 0) {
            watches[watch].path = folder;
            watches[watch].names.insert(QFile::encodeName(step.fileName()));
            return;
        }
        if (errno != ENOENT && errno != ENOTDIR)
            return; // not allowed, or out of watches: nothing to follow
        step = QFileInfo(folder);
    }
}

void FileChangeWatch::readEvents()
{
    bool changed = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_inotify.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (qsizetype at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += qsizetype(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changed = true; // events were lost
                continue;
            }
            const auto folder = m_watches.constFind(event->wd);
            if (folder == m_watches.cend())
                continue;
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                changed = true; // a watched folder went away
                continue;
            }
            const QByteArray name(event->len > 0 ? event->name : "");
            if (folder->names.contains(name) &&
                isChange(event->mask, folder->path + u'/' + QFile::decodeName(name)))
                changed = true;
        }
    }
    if (!changed)
        return;
    arm(); // a folder on the way may have appeared or gone, a link may lead elsewhere now
    emit fileMayHaveChanged();
}
