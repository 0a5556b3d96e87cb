#pragma once

#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// An error that ends an update cycle. The domain tells whose error it is: the update
// framework's own (updateFrameworkErrorDomain) or a foreign one, such as the network's.
struct UpdateError
{
    QString domain;
    int code = 0;
    QString localizedDescription;

    bool operator==(const UpdateError&) const = default;
};

// The error domain of the update framework's own errors (bad signature, malformed feed, ...).
inline const QString updateFrameworkErrorDomain = QStringLiteral("MorvaneUpdateErrorDomain");

// What the update framework asks of its owner. Called on the main thread.
class UpdateFrameworkDelegate
{
public:
    virtual ~UpdateFrameworkDelegate() = default;

    // The channels offered besides the feed's default channel; asked afresh for every check.
    virtual QSet<QString> allowedChannels() = 0;
    // Called once at the end of every update cycle, user-initiated or automatic; no error on
    // success (an update installed, postponed or skipped, or none found).
    virtual void didFinishUpdateCycle(const std::optional<UpdateError>& error) = 0;
};

// Ends an observation when destroyed.
class UpdateObservation
{
public:
    virtual ~UpdateObservation() = default;
};

// A started updater: it schedules its own automatic checks, shows its own windows for every
// outcome of a user-initiated check and keeps its delegate for its whole life.
class UpdateFramework
{
public:
    // Creates and starts an updater that reports to the delegate, which must outlive it.
    using Factory = std::function<std::unique_ptr<UpdateFramework>(UpdateFrameworkDelegate&)>;

    virtual ~UpdateFramework() = default;

    // True while a check may start now.
    virtual bool canCheckForUpdates() const = 0;
    // Runs the handler once at once and again after every change of canCheckForUpdates()
    // until the returned token is destroyed. The handler may run on any thread.
    virtual std::unique_ptr<UpdateObservation>
    observeCanCheckForUpdates(std::function<void()> handler) = 0;
    // Starts a user-initiated check.
    virtual void checkForUpdates() = 0;
};
