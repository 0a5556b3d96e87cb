// The portal sampler against a fake desktop portal on a private bus that the test starts.
#include "platform/sampling/portal/PortalScreenSampler.h"
#include "PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

struct Rgb
{
    double red = 0, green = 0, blue = 0;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Rgb& rgb)
{
    argument.beginStructure();
    argument << rgb.red << rgb.green << rgb.blue;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Rgb& rgb)
{
    argument.beginStructure();
    argument >> rgb.red >> rgb.green >> rgb.blue;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(Rgb)

namespace {

// Answers PickColor as told. Like the real portal it sends Response on the request path
// built from the caller's name and handle_token, and it sends it before its method reply,
// so a sampler that subscribes only after the reply misses it.
class FakePortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)

public:
    enum class Answer
    {
        colour,
        response1,
        response2,
        nothing,
        error
    };

    FakePortal(QDBusConnection bus, uint version, Answer answer)
        : m_bus(std::move(bus)), m_version(version), m_answer(answer)
    {
    }

    uint version() const { return m_version; }

    Rgb colour{58 / 255.0, 123 / 255.0, 213 / 255.0};
    int calls = 0;
    QString parentWindow;
    QString token;

public slots:
    QDBusObjectPath PickColor(const QString& parent_window, const QVariantMap& options,
                              const QDBusMessage& message)
    {
        ++calls;
        parentWindow = parent_window;
        token = options.value(QStringLiteral("handle_token")).toString();
        const QString path = PortalScreenSampler::requestPath(message.service(), token);
        if (m_answer == Answer::error) {
            setDelayedReply(true);
            m_bus.send(message.createErrorReply(QDBusError::AccessDenied, "refused"));
            return {};
        }
        if (m_answer != Answer::nothing) {
            QDBusMessage response = QDBusMessage::createSignal(
                path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            const uint code = m_answer == Answer::colour      ? 0
                              : m_answer == Answer::response1 ? 1
                                                              : 2;
            QVariantMap results;
            if (code == 0)
                results.insert(QStringLiteral("color"), QVariant::fromValue(colour));
            response << code << results;
            m_bus.send(response);
        }
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection m_bus;
    uint m_version;
    Answer m_answer;
};

// A portal whose back-ends offer no screenshot interface: other portal interfaces only.
class PortalWithoutScreenshot : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
    Q_PROPERTY(uint version READ version)

public:
    uint version() const { return 2; }
};

// The sampler's log lines.
struct LogLines
{
    std::shared_ptr<QStringList> lines = std::make_shared<QStringList>();

    Log log() const
    {
        return Log("sampler", [lines = lines](Log::Priority, std::string_view, std::string_view m) {
            lines->append(QString::fromUtf8(m.data(), qsizetype(m.size())));
        });
    }
    bool contain(const QString& text) const
    {
        return std::any_of(lines->cbegin(), lines->cend(),
                           [&](const QString& line) { return line.contains(text); });
    }
};

class PortalScreenSamplerTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { qDBusRegisterMetaType<Rgb>(); }

    void SetUp() override
    {
        ASSERT_FALSE(m_bus.address().isEmpty()) << "dbus-daemon did not start";
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    QDBusConnection connect(const QString& name)
    {
        return QDBusConnection::connectToBus(m_bus.address(), name);
    }

    // Puts a fake portal on the bus under the portal's name.
    std::unique_ptr<FakePortal> startPortal(uint version, FakePortal::Answer answer)
    {
        QDBusConnection bus = connect(QStringLiteral("portal"));
        auto portal = std::make_unique<FakePortal>(bus, version, answer);
        EXPECT_TRUE(bus.registerObject(PortalScreenSampler::objectPath, portal.get(),
                                       QDBusConnection::ExportAllSlots |
                                           QDBusConnection::ExportAllProperties));
        EXPECT_TRUE(bus.registerService(PortalScreenSampler::service));
        return portal;
    }

    // Runs one pick and returns what the handler got; fails the test unless it is called
    // exactly once.
    std::optional<SrgbComponents> pick(PortalScreenSampler& sampler)
    {
        int calls = 0;
        std::optional<SrgbComponents> result;
        sampler.showSampler([&](std::optional<SrgbComponents> components) {
            ++calls;
            result = components;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 10000));
        QTest::qWait(50);
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(sampler.isWaiting());
        return result;
    }

    PrivateBus m_bus;
};

TEST_F(PortalScreenSamplerTest, ResponseZeroCarriesTheColour)
{
    const auto portal = startPortal(2, FakePortal::Answer::colour);
    PortalScreenSampler sampler(connect(QStringLiteral("client")),
                                [] { return QStringLiteral("x11:4a00007"); });

    const auto result = pick(sampler);

    ASSERT_TRUE(result.has_value());
    EXPECT_DOUBLE_EQ(result->red, 58 / 255.0);
    EXPECT_DOUBLE_EQ(result->green, 123 / 255.0);
    EXPECT_DOUBLE_EQ(result->blue, 213 / 255.0);
    EXPECT_EQ(portal->parentWindow, QStringLiteral("x11:4a00007"));
    EXPECT_FALSE(portal->token.isEmpty());
    EXPECT_EQ(sampler.unavailableReason(), "");
}

TEST_F(PortalScreenSamplerTest, TheParentWindowIsTheOneFocusedWhenThePickStarted)
{
    const auto portal = startPortal(2, FakePortal::Answer::colour);
    bool panelFocused = true; // the panel steps aside as soon as the pick starts
    PortalScreenSampler sampler(connect(QStringLiteral("client")), [&] {
        return panelFocused ? QStringLiteral("x11:4a00007") : QString();
    });
    int calls = 0;
    sampler.showSampler([&](std::optional<SrgbComponents>) { ++calls; });
    panelFocused = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 10000));
    EXPECT_EQ(portal->parentWindow, QStringLiteral("x11:4a00007"));
}

TEST_F(PortalScreenSamplerTest, EveryFailureEndsThePickAsACancelAndSaysWhatIsMissing)
{
    struct Case
    {
        const char* name;
        std::optional<uint> version; // none: no portal on the bus
        FakePortal::Answer answer;
        int expectedCalls;
        QString logged;      // in the journal: the portal's answer
        const char* forUser; // in unavailableReason(); empty: the user ended the pick
    };
    const Case cases[] = {
        {"response 1 (user cancelled)", 2, FakePortal::Answer::response1, 1, "response 1", ""},
        {"response 2 (other)", 2, FakePortal::Answer::response2, 1, "response 2",
         "could not pick a colour"},
        {"error reply", 2, FakePortal::Answer::error, 1, "AccessDenied", "could not pick a colour"},
        {"portal version 1", 1, FakePortal::Answer::colour, 0, "version 1",
         "interface is version 1, and picking colours needs version 2"},
        {"no portal on the bus", std::nullopt, FakePortal::Answer::colour, 0, "ServiceUnknown",
         "needs the desktop portal (xdg-desktop-portal) with a screenshot back-end"},
        {"a portal without a screenshot interface", 0, FakePortal::Answer::colour, 0,
         "no desktop portal screenshot interface", "that can pick colours"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<FakePortal> portal;
        PortalWithoutScreenshot otherPortal;
        if (c.version == 0u) {
            QDBusConnection bus = connect(QStringLiteral("portal"));
            ASSERT_TRUE(bus.registerObject(PortalScreenSampler::objectPath, &otherPortal,
                                           QDBusConnection::ExportAllProperties));
            ASSERT_TRUE(bus.registerService(PortalScreenSampler::service));
        } else if (c.version) {
            portal = startPortal(*c.version, c.answer);
        }
        const LogLines log;
        PortalScreenSampler sampler(connect(QStringLiteral("client")), {}, nullptr, log.log());

        EXPECT_FALSE(pick(sampler).has_value());
        if (portal) {
            EXPECT_EQ(portal->calls, c.expectedCalls);
        }
        EXPECT_TRUE(log.contain(c.logged)) << log.lines->join(u'\n').toStdString();
        const std::string reason = sampler.unavailableReason();
        if (*c.forUser) {
            EXPECT_NE(reason.find(c.forUser), std::string::npos) << reason;
        } else {
            EXPECT_EQ(reason, "");
        }
        TearDown();
    }
}

TEST_F(PortalScreenSamplerTest, TheWordsNameTheDesktopAndWhatFixesIt)
{
    struct Case
    {
        const char* desktop;         // $XDG_CURRENT_DESKTOP
        std::optional<uint> version; // none: no portal; 0: a portal without screenshots
        FakePortal::Answer answer;
        std::vector<const char*> forUser; // all in unavailableReason(); none: no words
    };
    const Case cases[] = {
        {"COSMIC",
         2,
         FakePortal::Answer::error,
         {"COSMIC's desktop portal cannot pick", "X11 session"}},
        {"LXQt",
         0,
         FakePortal::Answer::colour,
         {"LXQt's desktop portal cannot pick", "X11 session"}},
        {"sway",
         2,
         FakePortal::Answer::response2,
         {"on Sway", "install xdg-desktop-portal-wlr with grim and slurp"}},
        {"sway", 0, FakePortal::Answer::colour, {"xdg-desktop-portal-wlr"}},
        {"sway", 2, FakePortal::Answer::response1, {}}, // the user cancelled: nothing to fix
        {"ubuntu:GNOME",
         std::nullopt,
         FakePortal::Answer::colour,
         {"on GNOME", "xdg-desktop-portal-gnome"}},
        {"KDE", 0, FakePortal::Answer::colour, {"on KDE Plasma", "xdg-desktop-portal-kde"}},
        {"XFCE", 2, FakePortal::Answer::response2, {"could not pick a colour"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.desktop) + " " + std::to_string(c.version.value_or(99)));
        std::unique_ptr<FakePortal> portal;
        PortalWithoutScreenshot otherPortal;
        if (c.version == 0u) {
            QDBusConnection bus = connect(QStringLiteral("portal"));
            ASSERT_TRUE(bus.registerObject(PortalScreenSampler::objectPath, &otherPortal,
                                           QDBusConnection::ExportAllProperties));
            ASSERT_TRUE(bus.registerService(PortalScreenSampler::service));
        } else if (c.version) {
            portal = startPortal(*c.version, c.answer);
        }
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QString::fromUtf8(c.desktop));
        PortalScreenSampler sampler(connect(QStringLiteral("client")), {}, nullptr,
                                    LogLines().log());
        sampler.setSession(DesktopSession::from(QStringLiteral("wayland"), environment));

        EXPECT_FALSE(pick(sampler).has_value());
        const std::string reason = sampler.unavailableReason();
        for (const char* words : c.forUser) {
            EXPECT_NE(reason.find(words), std::string::npos) << reason;
        }
        if (c.forUser.empty()) {
            EXPECT_EQ(reason, "");
        }
        TearDown();
    }
}

TEST_F(PortalScreenSamplerTest, NoBusCancelsAtOnce)
{
    PortalScreenSampler sampler(QDBusConnection(QStringLiteral("not connected")));
    bool called = false;
    sampler.showSampler([&](std::optional<SrgbComponents> components) {
        called = true;
        EXPECT_FALSE(components.has_value());
    });
    EXPECT_TRUE(called);
    EXPECT_NE(sampler.unavailableReason().find("no session bus"), std::string::npos);
}

TEST_F(PortalScreenSamplerTest, PortalLeavingTheBusMidPickCancels)
{
    auto portal = startPortal(2, FakePortal::Answer::nothing);
    PortalScreenSampler sampler(connect(QStringLiteral("client")));
    int calls = 0;
    std::optional<SrgbComponents> result = SrgbComponents{};
    sampler.showSampler([&](std::optional<SrgbComponents> components) {
        ++calls;
        result = components;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal->calls == 1; }, 10000));
    QTest::qWait(100);
    EXPECT_EQ(calls, 0); // the user may take as long as they like

    portal.reset(); // as when the portal crashes: its connection closes
    QDBusConnection::disconnectFromBus(QStringLiteral("portal"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 10000));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(result.has_value());
}

TEST_F(PortalScreenSamplerTest, SecondRequestWhileWaitingIsTurnedAway)
{
    auto portal = startPortal(2, FakePortal::Answer::nothing);
    PortalScreenSampler sampler(connect(QStringLiteral("client")));
    int firstCalls = 0;
    sampler.showSampler([&](std::optional<SrgbComponents>) { ++firstCalls; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal->calls == 1; }, 10000));

    bool secondCalled = false;
    sampler.showSampler([&](std::optional<SrgbComponents> components) {
        secondCalled = true;
        EXPECT_FALSE(components.has_value());
    });

    EXPECT_TRUE(secondCalled);
    QTest::qWait(100);
    EXPECT_EQ(portal->calls, 1);
    EXPECT_EQ(firstCalls, 0);
    EXPECT_TRUE(sampler.isWaiting());
}

TEST_F(PortalScreenSamplerTest, RequestPathFollowsTheSenderAndToken)
{
    EXPECT_EQ(PortalScreenSampler::requestPath(QStringLiteral(":1.42"), QStringLiteral("morvane7")),
              QStringLiteral("/org/freedesktop/portal/desktop/request/1_42/morvane7"));
}

} // namespace

#include "PortalScreenSamplerTest.moc"
