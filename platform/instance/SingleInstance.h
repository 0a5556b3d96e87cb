#pragma once

#include "platform/instance/LocalListener.h"
#include "platform/instance/LocalSocket.h"
#include "platform/instance/SingleInstanceProtocol.h"

#include <QList>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <optional>

class LocalConnection;

// One running copy per user. A lock file in the user's private runtime folder decides who
// runs (the kernel settles two launches at the same instant; a lock left by a dead process is
// taken over); the winner listens on a local socket beside it, through which a later launch
// asks for a reopen or a pick. Needs no session bus, and no QtNetwork either: loading it
// would cost every launch start-up time.
//
// The requests are one line each, answered with "ok\n" once taken:
//   "reopen\n"  reopen the running copy, which then hangs up;
//   "pick\n"    start a pick (or wait for the one running); once it ends, a second line
//               follows: "picked #RRGGBB\n", "cancelled\n" or "unavailable <reason>\n",
//               and the copy hangs up.
// A copy that does not know a request hangs up without answering, as it does on a peer that
// sends nothing within a few seconds, a line too long to be a request, or a second line.
// A copy with 64 connections open, or 16 pick requests waiting, answers a new one "busy\n"
// at once and hangs up; the asking side tries again until its deadline.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static inline const QString defaultName = QLatin1String(SingleInstanceProtocol::name);

    // How a pick request ended, for the process that sent it.
    struct PickAnswer
    {
        enum class Outcome
        {
            picked,      // hex holds the colour as "#RRGGBB"
            cancelled,   // the user cancelled
            unavailable, // the copy could not pick; reason says why
            unreachable, // no running copy took the request in time
            refused,     // the running copy does not take pick requests (an older version)
            busy,        // the running copy was too busy to take the request in time
            lost         // the running copy went away, or answered nonsense, before the end
        };
        Outcome outcome = Outcome::unreachable;
        QString hex = {};
        QString reason = {};
    };

    // directory: $XDG_RUNTIME_DIR (Qt's runtime location) when empty.
    explicit SingleInstance(const QString& directory = {}, const QString& name = defaultName,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the running copy from now on. An unusable lock (an unwritable
    // folder, say) also answers true: better two copies than none.
    bool claim();
    // Whether some other live process holds the lock (it may not listen yet). Probes by taking
    // the lock for an instant, so call it only from a process that will not claim.
    bool isClaimedElsewhere() const;

    // For a process that lost the claim: asks the running copy to reopen, waiting at most
    // `timeout` for it to start listening and acknowledge. True when acknowledged.
    bool requestReopen(std::chrono::milliseconds timeout = std::chrono::seconds(3));
    // For a process that is not the running copy: asks it for a pick and waits for the pick to
    // end, however long the user takes. `timeout` bounds only the wait for the running copy to
    // start listening and acknowledge.
    PickAnswer requestPick(std::chrono::milliseconds timeout = std::chrono::seconds(3));

    // In the running copy: answers every pick request waiting for the pick that just ended,
    // with its hex ("#RRGGBB"), or none when it ended without a colour: cancelled, or
    // unavailable when a reason (what kept the pick from running) is given.
    void answerPickRequests(const std::optional<QString>& hex, const QString& reason = {});

    QString lockPath() const { return m_lockPath; }
    QString socketPath() const { return m_socketPath; }

signals:
    // Another launch asked this running copy to reopen.
    void reopenRequested();
    // Another launch asked this running copy for a pick; answer with answerPickRequests().
    void pickRequested();

private:
    void acceptConnection(LocalConnection* connection);
    void serve(LocalConnection& connection, const QByteArray& line);
    // How the running copy answered a request line.
    enum class Reply
    {
        none,         // no answer yet (nobody listening)
        acknowledged, // "ok\n"
        busy,         // "busy\n": tried again until the deadline
        other,        // anything else, or a hang-up
    };
    // Connects to the running copy, sends the request line and waits for "ok\n".
    std::optional<LocalSocket> sendRequest(const QByteArray& request,
                                           const QDeadlineTimer& deadline, Reply& reply) const;

    QString m_lockPath;
    QString m_socketPath;
    QLockFile m_lock;
    LocalListener m_listener; // after the lock: the socket goes before the lock is released
    QList<QPointer<LocalConnection>> m_pickRequests;
};
