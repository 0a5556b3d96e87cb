#pragma once

#include "DesktopSession.h"
#include "GlobalShortcut.h"

#include <memory>

// Where no program may bind a global key: every key asked for is reported unsupported.
class UnsupportedGlobalShortcut : public GlobalShortcut
{
public:
    void setHandlers(ActivationHandler, ReportHandler report) override
    {
        m_report = std::move(report);
    }
    void bind(const QString& keySequence) override
    {
        if (m_report)
            m_report({keySequence.isEmpty() ? Status::off : Status::unsupported, QString()});
    }

private:
    ReportHandler m_report;
};

// The global key for the session: a passive grab on X11 (not through Xwayland, which sees no
// other client's keys), none elsewhere.
std::unique_ptr<GlobalShortcut> makeGlobalShortcut(const DesktopSession& session);
