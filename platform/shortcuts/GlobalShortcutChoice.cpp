#include "platform/shortcuts/GlobalShortcutChoice.h"

#include "platform/shortcuts/PortalGlobalShortcut.h"
#include "platform/shortcuts/X11GlobalShortcut.h"

PreferringGlobalShortcut::PreferringGlobalShortcut(std::unique_ptr<GlobalShortcut> first,
                                                   std::unique_ptr<GlobalShortcut> second)
    : m_first(std::move(first)), m_second(std::move(second)), m_current(m_first.get())
{
}

void PreferringGlobalShortcut::setHandlers(ActivationHandler activated, ReportHandler report)
{
    m_report = std::move(report);
    m_second->setHandlers(activated, [this](const Report& report) {
        if (m_current == m_second.get() && m_report)
            m_report(report);
    });
    m_first->setHandlers(std::move(activated), [this](const Report& report) {
        if (m_current != m_first.get())
            return;
        if (report.status == Status::unsupported) {
            m_current = m_second.get();
            m_second->bind(m_wanted);
            return;
        }
        if (m_report)
            m_report(report);
    });
}

void PreferringGlobalShortcut::bind(const QString& keySequence)
{
    m_wanted = keySequence;
    m_current->bind(keySequence);
}

std::unique_ptr<GlobalShortcut> makeGlobalShortcut(const DesktopSession& session)
{
    auto portal = std::make_unique<PortalGlobalShortcut>();
    if (session.isX11Client() && !session.isXwayland())
        return std::make_unique<PreferringGlobalShortcut>(std::move(portal),
                                                          std::make_unique<X11GlobalShortcut>());
    return portal;
}
