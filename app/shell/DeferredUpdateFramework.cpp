#include "app/shell/DeferredUpdateFramework.h"

#include "core/Log.h"

#include <vector>

// Ends an observation whether it is still waiting for the real framework or forwarded to it.
class DeferredUpdateFramework::Token : public UpdateObservation
{
public:
    Token(std::weak_ptr<Observers> observers, int id) : m_observers(std::move(observers)), m_id(id)
    {
    }
    ~Token() override
    {
        if (const std::shared_ptr<Observers> observers = m_observers.lock())
            observers->erase(m_id);
    }

private:
    std::weak_ptr<Observers> m_observers;
    int m_id;
};

DeferredUpdateFramework::DeferredUpdateFramework(UpdateFrameworkDelegate& delegate, Loader loader,
                                                 std::chrono::milliseconds delay, QObject* parent)
    : QObject(parent), m_delegate(delegate), m_loader(std::move(loader))
{
    m_loadTimer.setSingleShot(true);
    connect(&m_loadTimer, &QTimer::timeout, this, &DeferredUpdateFramework::load);
    m_loadTimer.start(delay);
}

// The forwarded observations end before the framework they watch.
DeferredUpdateFramework::~DeferredUpdateFramework()
{
    m_observers.reset();
    m_framework.reset();
}

bool DeferredUpdateFramework::canCheckForUpdates() const
{
    return m_framework && m_framework->canCheckForUpdates();
}

std::unique_ptr<UpdateObservation>
DeferredUpdateFramework::observeCanCheckForUpdates(std::function<void()> handler)
{
    const int id = ++m_lastObserverId;
    auto token = std::make_unique<Token>(m_observers, id);
    (*m_observers)[id].handler = handler;
    if (m_framework)
        (*m_observers)[id].forwarded = m_framework->observeCanCheckForUpdates(std::move(handler));
    else
        handler();
    return token;
}

void DeferredUpdateFramework::checkForUpdates()
{
    load();
    if (m_framework)
        m_framework->checkForUpdates();
    else
        failCycle();
}

void DeferredUpdateFramework::load()
{
    m_loadTimer.stop();
    if (m_framework || m_loadFailed)
        return;
    Loaded loaded = m_loader(m_delegate);
    m_loader = nullptr;
    if (!loaded.framework) {
        m_loadFailed = true;
        Log("updates").warning("the updater could not be loaded, so updates are off: " +
                               loaded.failure);
        return;
    }
    m_framework = std::move(loaded.framework);
    // Each waiting observer is told again by the real framework. A handler may end its own or
    // another observation meanwhile, so each is looked up afresh.
    std::vector<int> waiting;
    for (const auto& [id, observer] : *m_observers)
        waiting.push_back(id);
    for (const int id : waiting) {
        const auto found = m_observers->find(id);
        if (found == m_observers->end())
            continue;
        std::unique_ptr<UpdateObservation> forwarded =
            m_framework->observeCanCheckForUpdates(found->second.handler);
        if (const auto still = m_observers->find(id); still != m_observers->end())
            still->second.forwarded = std::move(forwarded);
    }
}

// Whoever asked for the check waits for its cycle to end (UpdaterService puts the
// application's presence back only then), so a cycle that cannot run still ends, from the
// event loop like any other.
void DeferredUpdateFramework::failCycle()
{
    const UpdateError error{loadFailureDomain, 1,
                            tr("The updater is missing or damaged; reinstalling the application "
                               "should restore it.")};
    QMetaObject::invokeMethod(
        this, [this, error] { m_delegate.didFinishUpdateCycle(error); }, Qt::QueuedConnection);
}
