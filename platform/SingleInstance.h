#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>

// One running copy per user. A lock file in the user's private runtime folder decides who
// runs (the kernel settles two launches at the same instant; a lock left by a dead process is
// taken over); the winner listens on a local socket beside it, through which a later launch
// asks for a reopen. Needs no session bus.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static inline const QString defaultName = QStringLiteral("dev.morvane.colorpicker");

    // directory: $XDG_RUNTIME_DIR (Qt's runtime location) when empty.
    explicit SingleInstance(const QString& directory = {}, const QString& name = defaultName,
                            QObject* parent = nullptr);

    // True when this process is the running copy from now on. An unusable lock (an unwritable
    // folder, say) also answers true: better two copies than none.
    bool claim();
    // For a process that lost the claim: asks the running copy to reopen, waiting at most
    // `timeout` for it to start listening and acknowledge. True when acknowledged.
    bool requestReopen(std::chrono::milliseconds timeout = std::chrono::seconds(3));

    QString lockPath() const { return m_lockPath; }
    QString socketPath() const { return m_socketPath; }

signals:
    // Another launch asked this running copy to reopen.
    void reopenRequested();

private:
    void acceptConnection();

    QString m_lockPath;
    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer m_server;
};
