#include "platform/tray/DesktopTrayHost.h"

#include "platform/tray/StatusNotifierHostWatch.h"
#include "platform/tray/XEmbedTrayWatch.h"

DesktopTrayHost::DesktopTrayHost(const QDBusConnection& bus, bool xembed, QObject* parent)
    : QObject(parent), m_notifier(new StatusNotifierHostWatch(bus, this))
{
    connect(m_notifier, &StatusNotifierHostWatch::changed, this, &DesktopTrayHost::update);
    if (xembed) {
        m_xembed = new XEmbedTrayWatch(this);
        connect(m_xembed, &XEmbedTrayWatch::changed, this, &DesktopTrayHost::update);
    }
}

DesktopTrayHost::~DesktopTrayHost() = default;

TrayHost::State DesktopTrayHost::combine(std::optional<bool> notifierChosen,
                                         std::optional<bool> notifierHost,
                                         std::optional<bool> xembedTray)
{
    if (!notifierChosen)
        return State::unknown;
    const bool present =
        *notifierChosen ? notifierHost.value_or(false) : xembedTray.value_or(false);
    return present ? State::present : State::absent;
}

void DesktopTrayHost::update()
{
    if (!m_notifierChosen)
        m_notifierChosen = m_notifier->hostRegistered();
    const State state =
        combine(m_notifierChosen, m_notifier->hostRegistered(),
                m_xembed ? std::optional<bool>(m_xembed->trayPresent()) : std::nullopt);
    if (state == m_state)
        return;
    m_state = state;
    if (m_handler)
        m_handler(state);
}
