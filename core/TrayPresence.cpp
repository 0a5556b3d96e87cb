#include "core/TrayPresence.h"

TrayPresence::TrayPresence(TrayHost& host, QObject* parent) : QObject(parent)
{
    host.setChangeHandler([this](TrayHost::State state) { follow(state); });
    follow(host.state());
}

TrayPresence::CloseAction TrayPresence::windowClosed(bool pickKeyActive)
{
    if (!pickKeyActive)
        return CloseAction::quit;
    if (m_explained)
        return CloseAction::hide;
    m_explained = true;
    return CloseAction::explainOnce;
}

void TrayPresence::follow(TrayHost::State state)
{
    Mode mode = Mode::deciding;
    if (state == TrayHost::State::present)
        mode = Mode::tray;
    else if (state == TrayHost::State::absent)
        mode = Mode::window;
    if (mode == m_mode)
        return;
    m_mode = mode;
    emit modeChanged(mode);
}
