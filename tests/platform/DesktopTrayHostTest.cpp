// The tray host as the application learns of it: a StatusNotifierWatcher on a private bus
// (the fake one, driven line by line), and the rule that mirrors Qt's one choice of tray kind.
#include "platform/tray/DesktopTrayHost.h"
#include "PrivateBus.h"
#include "platform/tray/StatusNotifierHostWatch.h"

#include <QDBusConnection>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using State = TrayHost::State;

// The fake watcher on the private bus; gone when destroyed.
class FakeWatcherProcess
{
public:
    explicit FakeWatcherProcess(const QString& address)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral(MORVANE_FAKE_WATCHER));
        ready = m_process.waitForReadyRead(10000) && m_process.readLine().trimmed() == "ready";
    }
    ~FakeWatcherProcess() { leave(); }

    void say(const char* line) { m_process.write(QByteArray(line) + '\n'); }
    void leave()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(5000);
    }

    bool ready = false;

private:
    QProcess m_process;
};

class StatusNotifierHostWatchTest : public testing::Test
{
protected:
    std::optional<bool> settled(StatusNotifierHostWatch& watch, bool expected)
    {
        (void)QTest::qWaitFor([&] { return watch.hostRegistered() == expected; }, 5000);
        return watch.hostRegistered();
    }

    PrivateBus bus;
    QDBusConnection connection =
        QDBusConnection::connectToBus(bus.address(), QStringLiteral("tray-host-test"));
};

TEST_F(StatusNotifierHostWatchTest, FollowsTheWatcherAndItsHostsWithoutBlocking)
{
    ASSERT_TRUE(connection.isConnected());
    StatusNotifierHostWatch watch(connection);
    EXPECT_EQ(watch.hostRegistered(), std::nullopt) << "answered before the bus did";
    EXPECT_EQ(settled(watch, false), false) << "no watcher on the bus";

    auto watcher = std::make_unique<FakeWatcherProcess>(bus.address());
    ASSERT_TRUE(watcher->ready);
    QTest::qWait(200);
    EXPECT_EQ(watch.hostRegistered(), false) << "a watcher without a host";
    watcher->say("host");
    EXPECT_EQ(settled(watch, true), true) << "a host registered";
    watcher->say("nohost");
    EXPECT_EQ(settled(watch, false), false) << "the host went";
    watcher->say("host");
    EXPECT_EQ(settled(watch, true), true);
    watcher.reset();
    EXPECT_EQ(settled(watch, false), false) << "the watcher left with its host";

    // A watcher that comes back with a host already there says nothing: it is asked.
    FakeWatcherProcess returning(bus.address());
    ASSERT_TRUE(returning.ready);
    EXPECT_EQ(settled(watch, false), false);
    returning.say("host");
    EXPECT_EQ(settled(watch, true), true);
}

TEST_F(StatusNotifierHostWatchTest, ANameWithoutAWatcherBehindItMeansNoHost)
{
    QDBusConnection impostor =
        QDBusConnection::connectToBus(bus.address(), QStringLiteral("tray-host-impostor"));
    ASSERT_TRUE(impostor.registerService(StatusNotifierHostWatch::service));
    StatusNotifierHostWatch watch(connection);
    EXPECT_EQ(settled(watch, false), false);
    QDBusConnection::disconnectFromBus(QStringLiteral("tray-host-impostor"));
}

TEST(DesktopTrayHost, CountsOnlyTheKindOfHostQtChoseAtStart)
{
    const struct
    {
        std::optional<bool> notifierChosen, notifierHost, xembedTray;
        State expected;
    } cases[] = {
        {std::nullopt, std::nullopt, true, State::unknown}, // the bus has not answered yet
        {true, true, std::nullopt, State::present},
        {true, false, true,
         State::absent}, // Qt made a StatusNotifierItem: an XEmbed tray cannot show it
        {false, true, std::nullopt, State::absent}, // Wayland: a host that came later is not used
        {false, true, false, State::absent},
        {false, false, true, State::present}, // X11 without a host at start: XEmbed counts
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DesktopTrayHost::combine(c.notifierChosen, c.notifierHost, c.xembedTray),
                  c.expected)
            << c.notifierChosen.value_or(-1) << c.notifierHost.value_or(-1)
            << c.xembedTray.value_or(-1);
    }
}

} // namespace
