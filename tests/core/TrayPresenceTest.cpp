// The choice between the tray and the main window, over a tray host the test moves.
#include "core/TrayPresence.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class MovableTrayHost : public TrayHost
{
public:
    State state() const override { return m_state; }
    void setChangeHandler(ChangeHandler handler) override { m_handler = std::move(handler); }

    void move(State state)
    {
        m_state = state;
        m_handler(state);
    }

private:
    State m_state = State::unknown;
    ChangeHandler m_handler;
};

using Mode = TrayPresence::Mode;

TEST(TrayPresence, FollowsTheHostBothWaysAnnouncingEachChangeOnce)
{
    MovableTrayHost host;
    TrayPresence presence(host);
    QSignalSpy changes(&presence, &TrayPresence::modeChanged);
    EXPECT_EQ(presence.mode(), Mode::deciding);

    host.move(TrayHost::State::absent);
    host.move(TrayHost::State::absent);
    host.move(TrayHost::State::present);
    host.move(TrayHost::State::absent);
    ASSERT_EQ(changes.size(), 3);
    EXPECT_EQ(changes.at(0).at(0).value<Mode>(), Mode::window);
    EXPECT_EQ(changes.at(1).at(0).value<Mode>(), Mode::tray);
    EXPECT_EQ(changes.at(2).at(0).value<Mode>(), Mode::window);
    EXPECT_EQ(presence.mode(), Mode::window);
}

TEST(TrayPresence, ClosingQuitsUnlessAPickKeyKeepsItRunningAndExplainsThatOnce)
{
    MovableTrayHost host;
    TrayPresence presence(host);
    using Action = TrayPresence::CloseAction;
    EXPECT_EQ(presence.windowClosed(false), Action::quit);
    EXPECT_EQ(presence.windowClosed(true), Action::explainOnce);
    EXPECT_EQ(presence.windowClosed(true), Action::hide);
    EXPECT_EQ(presence.windowClosed(true), Action::hide);
    EXPECT_EQ(presence.windowClosed(false), Action::quit) << "the key was turned off since";
}

} // namespace
