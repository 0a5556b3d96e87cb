#pragma once

#include <functional>

// Whether the desktop has a host that shows the application's tray item (a
// StatusNotifierItem host, or an XEmbed tray on X11), and when that changes. Asking never
// blocks: the state is unknown until the desktop has answered.
class TrayHost
{
public:
    enum class State
    {
        unknown,
        present,
        absent
    };
    // Called on the main thread after each change of state().
    using ChangeHandler = std::function<void(State)>;

    virtual ~TrayHost() = default;

    virtual State state() const = 0;
    virtual void setChangeHandler(ChangeHandler handler) = 0;
};
