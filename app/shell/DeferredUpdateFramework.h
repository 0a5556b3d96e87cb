#pragma once

#include "core/ports/UpdateFramework.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>

// The update framework as seen from start-up: a stand-in that loads the real one (the updater
// module) in idle time shortly after launch, or at once when a user-initiated check comes
// first, so nothing of it is on the way to the tray item. Until the real framework is there,
// no check may start; observers are kept, and told again by the real framework once it is
// there; their tokens end the observation before and after. When loading fails, one warning
// is logged, no check may start ever, and each user-initiated check ends its cycle at once
// with a loadFailureDomain error. Main thread only.
class DeferredUpdateFramework : public QObject, public UpdateFramework
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds loadDelay{1000};
    static inline const QString loadFailureDomain = QStringLiteral("MorvaneUpdaterModule");

    // A loaded framework, or why there is none.
    struct Loaded
    {
        std::unique_ptr<UpdateFramework> framework;
        std::string failure;
    };
    // Loads and starts the real framework for the delegate; runs at most once.
    using Loader = std::function<Loaded(UpdateFrameworkDelegate& delegate)>;

    // The delegate must outlive this object.
    DeferredUpdateFramework(UpdateFrameworkDelegate& delegate, Loader loader,
                            std::chrono::milliseconds delay = loadDelay, QObject* parent = nullptr);
    ~DeferredUpdateFramework() override;

    bool isLoaded() const { return m_framework != nullptr; }

    bool canCheckForUpdates() const override;
    std::unique_ptr<UpdateObservation>
    observeCanCheckForUpdates(std::function<void()> handler) override;
    void checkForUpdates() override;

private:
    struct Observer
    {
        std::function<void()> handler;
        std::unique_ptr<UpdateObservation> forwarded; // the real framework's token, once loaded
    };
    using Observers = std::map<int, Observer>;
    class Token;

    void load();
    void failCycle();

    UpdateFrameworkDelegate& m_delegate;
    Loader m_loader;
    QTimer m_loadTimer;
    std::unique_ptr<UpdateFramework> m_framework;
    bool m_loadFailed = false;
    // Shared with the tokens, which may outlive this object; goes before the framework.
    std::shared_ptr<Observers> m_observers = std::make_shared<Observers>();
    int m_lastObserverId = 0;
};
