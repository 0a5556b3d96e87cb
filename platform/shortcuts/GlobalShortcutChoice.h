#pragma once

#include "core/DesktopSession.h"
#include "core/ports/GlobalShortcut.h"

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

// Binds through the first mechanism until it reports the key unsupported, then through the
// second one for good.
class PreferringGlobalShortcut : public GlobalShortcut
{
public:
    PreferringGlobalShortcut(std::unique_ptr<GlobalShortcut> first,
                             std::unique_ptr<GlobalShortcut> second);

    void setHandlers(ActivationHandler activated, ReportHandler report) override;
    void bind(const QString& keySequence) override;

private:
    std::unique_ptr<GlobalShortcut> m_first;
    std::unique_ptr<GlobalShortcut> m_second;
    GlobalShortcut* m_current;
    QString m_wanted;
    ReportHandler m_report;
};

// The global key for the session: the desktop portal's GlobalShortcuts where it has them, else
// on X11 a passive grab (not through Xwayland, which sees no other client's keys), else none.
std::unique_ptr<GlobalShortcut> makeGlobalShortcut(const DesktopSession& session);
