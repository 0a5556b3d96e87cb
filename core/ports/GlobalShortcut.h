#pragma once

#include <QString>

#include <functional>

// A key that reaches the application from anywhere on the desktop: the desktop's
// GlobalShortcuts portal, a passive key grab on X11, or nothing where neither exists.
class GlobalShortcut
{
public:
    enum class Status
    {
        off,        // no key asked for
        pending,    // asked; the desktop has not answered yet
        active,     // the key reaches the application
        taken,      // another program holds the key
        declined,   // the user refused the binding
        failed,     // the desktop could not bind it (detail says why)
        unsupported // this desktop binds no key for the application itself
    };

    struct Report
    {
        Status status = Status::off;
        // active through the portal: the trigger as the desktop shows it (may differ from the
        // key asked for); failed: the desktop's error.
        QString detail;

        friend bool operator==(const Report&, const Report&) = default;
    };

    // Both called on the main thread.
    using ActivationHandler = std::function<void()>;
    using ReportHandler = std::function<void(const Report&)>;

    virtual ~GlobalShortcut() = default;

    virtual void setHandlers(ActivationHandler activated, ReportHandler report) = 0;
    // Binds the key (Qt's portable key-sequence text, e.g. "Meta+Shift+C") in place of the
    // one bound before; empty releases it. The outcome arrives through the report handler.
    virtual void bind(const QString& keySequence) = 0;
};
