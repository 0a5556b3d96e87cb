#pragma once

#include "platform/instance/UniqueFd.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QSocketNotifier;

// Tells when the file at a path may have changed on disk, by anyone (this process included):
// written and closed, renamed over or away, removed, or its permissions changed. It watches
// the folder the file is in, so a file replaced by a rename stays watched, and the folder of
// the file a symbolic link at the path names; where a folder on the way does not exist yet,
// the nearest one that does is watched until it appears. A regular file written in place is
// reported once its writer closes it, not while it is still being written.
//
// The watch begins when the event loop of the thread that made it first runs, and signals
// once then, as the file may have changed before; its signals come from that event loop.
// Made where no event loop can run (no QCoreApplication, a thread without an event
// dispatcher), or without inotify, it watches nothing and never signals. Destroy it on the
// thread that made it.
class FileChangeWatch : public QObject
{
    Q_OBJECT

public:
    explicit FileChangeWatch(const QString& path);
    ~FileChangeWatch() override;

    bool isWatching() const { return m_notifier != nullptr; }

signals:
    void fileMayHaveChanged();

private:
    struct Folder
    {
        QString path;
        QSet<QByteArray> names; // the names in it that matter
    };
    using Watches = QHash<int, Folder>;

    void start();
    void arm();
    void watchTowards(const QString& path, Watches& watches);
    void readEvents();

    const QString m_path;
    UniqueFd m_inotify;
    QSocketNotifier* m_notifier = nullptr; // a child
    Watches m_watches;
};
