#pragma once

// The application's presence on the desktop. Regular: its windows have taskbar entries and
// the front one is raised and activated. Accessory: tray only, no taskbar entry.
enum class ActivationPolicy
{
    regular = 0,
    accessory = 1,
    prohibited = 2
};

class ApplicationPresence
{
public:
    virtual ~ApplicationPresence() = default;

    virtual ActivationPolicy activationPolicy() const = 0;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    // Brings the application's front window forward and activates it.
    virtual void activate() = 0;
    // The idle test's question: is a window visible that is not a popup panel?
    virtual bool hasVisibleOrdinaryWindow() const = 0;
};
