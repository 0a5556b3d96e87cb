// The global key through a fake GlobalShortcuts portal on a private bus: the portal's
// replies in a table, then activation, a trigger changed in the desktop's settings, the
// portal leaving and coming back, and turning the key off.
#include "platform/shortcuts/PortalGlobalShortcut.h"
#include "PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Status = GlobalShortcut::Status;

// Answers as xdg-desktop-portal does: the Response signal on the request path built from the
// caller's name and handle_token, sent before the method's reply.
class FakePortal : public QDBusVirtualObject
{
public:
    explicit FakePortal(QDBusConnection bus) : m_bus(std::move(bus)) {}

    bool hasInterface = true;
    uint sessionResponse = 0;
    uint bindResponse = 0;
    bool bindErrorReply = false;
    bool bindsNothing = false;
    QString triggerDescription = QStringLiteral("Super+Shift+C");
    QStringList preferredTriggers;
    QStringList closedSessions;
    QString session;

    QString introspect(const QString&) const override { return QString(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QString member = message.member();
        if (member == QLatin1String("Get")) {
            if (!hasInterface)
                return connection.send(message.createErrorReply(
                    QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), "No such interface"));
            return connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        }
        if (member == QLatin1String("Close")) {
            closedSessions.append(message.path());
            return connection.send(message.createReply());
        }
        if (member == QLatin1String("CreateSession")) {
            const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().at(0));
            session = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                          .arg(sender(message), options.value("session_handle_token").toString());
            return respond(message, options, sessionResponse,
                           {{QStringLiteral("session_handle"), session}});
        }
        if (member == QLatin1String("BindShortcuts")) {
            const auto shortcuts = qdbus_cast<QList<PortalShortcut>>(message.arguments().at(1));
            for (const PortalShortcut& shortcut : shortcuts)
                preferredTriggers.append(shortcut.properties.value("preferred_trigger").toString());
            if (bindErrorReply)
                return connection.send(message.createErrorReply(
                    QStringLiteral("org.freedesktop.portal.Error.Failed"), "No backend"));
            const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().at(3));
            return respond(
                message, options, bindResponse,
                {{QStringLiteral("shortcuts"),
                  QVariant::fromValue(bindsNothing ? QList<PortalShortcut>() : bound())}});
        }
        return false;
    }

    QList<PortalShortcut> bound() const
    {
        return {{PortalGlobalShortcut::shortcutId,
                 {{QStringLiteral("description"), QStringLiteral("Pick a color")},
                  {QStringLiteral("trigger_description"), triggerDescription}}}};
    }

    void emitSignal(const QString& member, const QList<QVariant>& arguments)
    {
        QDBusMessage signal = QDBusMessage::createSignal(PortalGlobalShortcut::objectPath,
                                                         PortalGlobalShortcut::interface, member);
        signal.setArguments(arguments);
        m_bus.send(signal);
    }

private:
    static QString sender(const QDBusMessage& message)
    {
        return message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    }

    bool respond(const QDBusMessage& message, const QVariantMap& options, uint response,
                 const QVariantMap& results)
    {
        const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                    .arg(sender(message), options.value("handle_token").toString());
        QDBusMessage signal = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        m_bus.send(signal);
        return m_bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
    }

    QDBusConnection m_bus;
};

class PortalGlobalShortcutTest : public testing::Test
{
protected:
    PortalGlobalShortcutTest()
    {
        qDBusRegisterMetaType<PortalShortcut>();
        qDBusRegisterMetaType<QList<PortalShortcut>>();
    }

    void startPortal()
    {
        portalBus.registerVirtualObject(PortalGlobalShortcut::objectPath, &portal,
                                        QDBusConnection::SubPath);
        ASSERT_TRUE(portalBus.registerService(PortalGlobalShortcut::service));
    }

    void attach(PortalGlobalShortcut& shortcut)
    {
        shortcut.setHandlers(
            [this] { ++activations; },
            [this](const GlobalShortcut::Report& report) { reports.push_back(report); });
    }

    // Waits for a report other than "pending"; returns the last one.
    GlobalShortcut::Report settled(std::size_t count)
    {
        (void)QTest::qWaitFor([&] { return reports.size() >= count; }, 5000);
        return reports.empty() ? GlobalShortcut::Report{} : reports.back();
    }

    ~PortalGlobalShortcutTest() override
    {
        QDBusConnection::disconnectFromBus(clientBus.name());
        QDBusConnection::disconnectFromBus(portalBus.name());
    }

    static QString connectionName(const char* role)
    {
        static int fixtures = 0;
        return QStringLiteral("%1-%2").arg(QLatin1String(role)).arg(++fixtures);
    }

    PrivateBus bus;
    QDBusConnection clientBus =
        QDBusConnection::connectToBus(bus.address(), connectionName("client"));
    QDBusConnection portalBus =
        QDBusConnection::connectToBus(bus.address(), connectionName("portal"));
    FakePortal portal{portalBus};
    std::vector<GlobalShortcut::Report> reports;
    int activations = 0;
};

TEST_F(PortalGlobalShortcutTest, ReportsEachOfThePortalsAnswersInItsOwnWords)
{
    startPortal();
    const struct
    {
        const char* name;
        bool hasInterface;
        uint sessionResponse, bindResponse;
        bool bindErrorReply;
        bool bindsNothing;
        GlobalShortcut::Report expected;
    } cases[] = {
        {"bound", true, 0, 0, false, false, {Status::active, QStringLiteral("Super+Shift+C")}},
        {"the user declines the binding", true, 0, 1, false, false, {Status::declined, {}}},
        {"the user declines the session", true, 1, 0, false, false, {Status::declined, {}}},
        {"the back-end fails",
         true,
         0,
         2,
         false,
         false,
         {Status::failed, "it refused the shortcut"}},
        {"an error reply", true, 0, 0, true, false, {Status::failed, "No backend"}},
        {"no GlobalShortcuts in the portal", false, 0, 0, false, false, {Status::unsupported, {}}},
        // Plasma 5.27's portal for an application it cannot name.
        {"the portal accepts and binds nothing",
         true,
         0,
         0,
         false,
         true,
         {Status::unsupported, {}}},
    };
    for (const auto& c : cases) {
        portal.hasInterface = c.hasInterface;
        portal.sessionResponse = c.sessionResponse;
        portal.bindResponse = c.bindResponse;
        portal.bindErrorReply = c.bindErrorReply;
        portal.bindsNothing = c.bindsNothing;
        reports.clear();
        PortalGlobalShortcut shortcut(clientBus);
        attach(shortcut);
        shortcut.bind(QStringLiteral("Meta+Shift+C"));
        ASSERT_FALSE(reports.empty()) << c.name;
        EXPECT_EQ(reports.front().status, Status::pending) << c.name;
        EXPECT_EQ(settled(2), c.expected) << c.name;
    }
    EXPECT_EQ(portal.preferredTriggers.first(), QStringLiteral("SHIFT+LOGO+c"));
}

TEST_F(PortalGlobalShortcutTest, PicksOnActivationFollowsTheDesktopAndSurvivesThePortalLeaving)
{
    startPortal();
    PortalGlobalShortcut shortcut(clientBus);
    attach(shortcut);
    shortcut.bind(QStringLiteral("Meta+Shift+C"));
    ASSERT_EQ(settled(2).status, Status::active);

    const auto activate = [this](const QString& session, const QString& id) {
        portal.emitSignal(QStringLiteral("Activated"),
                          {QVariant::fromValue(QDBusObjectPath(session)), id,
                           QVariant::fromValue(qulonglong(1)), QVariantMap()});
    };
    activate(portal.session, PortalGlobalShortcut::shortcutId);
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == 1; }, 5000));
    activate(portal.session + QStringLiteral("x"), PortalGlobalShortcut::shortcutId);
    activate(portal.session, QStringLiteral("other"));
    QTest::qWait(100);
    EXPECT_EQ(activations, 1) << "another session's or shortcut's activation picked";

    // The user rebinds it in the desktop's settings.
    portal.triggerDescription = QStringLiteral("Ctrl+Alt+P");
    portal.emitSignal(QStringLiteral("ShortcutsChanged"),
                      {QVariant::fromValue(QDBusObjectPath(portal.session)),
                       QVariant::fromValue(portal.bound())});
    EXPECT_EQ(settled(3), (GlobalShortcut::Report{Status::active, QStringLiteral("Ctrl+Alt+P")}));

    portalBus.unregisterService(PortalGlobalShortcut::service);
    EXPECT_EQ(settled(4).status, Status::failed) << "the portal left";
    ASSERT_TRUE(portalBus.registerService(PortalGlobalShortcut::service));
    EXPECT_EQ(settled(6).status, Status::active) << "bound again when the portal came back";
    EXPECT_EQ(portal.preferredTriggers.size(), 2);

    const QString session = portal.session;
    shortcut.bind(QString());
    EXPECT_EQ(reports.back().status, Status::off);
    EXPECT_TRUE(QTest::qWaitFor([&] { return portal.closedSessions.contains(session); }, 5000))
        << "turning the key off did not close the session";
}

} // namespace
