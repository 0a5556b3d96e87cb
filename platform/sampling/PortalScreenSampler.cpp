#include "PortalScreenSampler.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QWindow>

#include <climits>

namespace {

const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

// No timeout on PickColor: a portal may hold its reply while the user picks, and the user
// may take minutes. A portal that leaves the bus still ends the pick (see the watcher).
constexpr int noTimeout = INT_MAX;

std::optional<SrgbComponents> colorOf(const QVariantMap& results)
{
    const QVariant value = results.value(QStringLiteral("color"));
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return std::nullopt;
    SrgbComponents components;
    argument.beginStructure();
    argument >> components.red >> components.green >> components.blue;
    argument.endStructure();
    return components;
}

} // namespace

PortalScreenSampler::PortalScreenSampler(QDBusConnection bus, ParentWindow parentWindow,
                                         QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_parentWindow(std::move(parentWindow)),
      m_watcher(new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForUnregistration,
                                        this))
{
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (isWaiting())
            fail("the desktop portal left the bus during a pick");
    });
}

PortalScreenSampler::~PortalScreenSampler()
{
    if (isWaiting())
        finish(std::nullopt);
}

bool PortalScreenSampler::usesX11ParentWindow(const DesktopSession& session)
{
    return session.isX11Client();
}

PortalScreenSampler::ParentWindow
PortalScreenSampler::parentWindowFor(const DesktopSession& session)
{
    return usesX11ParentWindow(session) ? ParentWindow(&focusedX11Window) : ParentWindow();
}

QString PortalScreenSampler::focusedX11Window()
{
    const QWindow* window = QGuiApplication::focusWindow();
    return window ? QStringLiteral("x11:%1").arg(window->winId(), 0, 16) : QString();
}

QString PortalScreenSampler::requestPath(const QString& uniqueBusName, const QString& token)
{
    QString sender =
        uniqueBusName.startsWith(QLatin1Char(':')) ? uniqueBusName.mid(1) : uniqueBusName;
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

void PortalScreenSampler::showSampler(SelectionHandler handler)
{
    if (isWaiting()) {
        handler(std::nullopt);
        return;
    }
    m_handler = std::move(handler);
    ++m_pickSerial;
    if (!m_bus.isConnected()) {
        fail("no session bus: screen colour picking is unavailable");
        return;
    }
    queryVersion();
}

void PortalScreenSampler::queryVersion()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << interface << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, serial = m_pickSerial] {
                watcher->deleteLater();
                if (serial != m_pickSerial || !isWaiting())
                    return;
                const QDBusPendingReply<QDBusVariant> reply = *watcher;
                if (reply.isError()) {
                    fail("no desktop portal for screen colour picking");
                    return;
                }
                if (reply.value().variant().toUInt() < minimumVersion) {
                    fail("the desktop portal is too old to pick colours (version below 2)");
                    return;
                }
                callPickColor();
            });
}

void PortalScreenSampler::callPickColor()
{
    const QString token = QStringLiteral("morvane%1").arg(m_pickSerial);
    // Subscribed before the call: the portal may answer before its reply is read.
    if (!subscribe(requestPath(m_bus.baseService(), token))) {
        fail("could not listen for the desktop portal's answer");
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, interface, QStringLiteral("PickColor"));
    const QString parentWindow = m_parentWindow ? m_parentWindow() : QString();
    call << parentWindow << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, noTimeout), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, serial = m_pickSerial] {
                watcher->deleteLater();
                if (serial != m_pickSerial || !isWaiting())
                    return;
                const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                if (reply.isError()) {
                    fail("the desktop portal refused to pick a colour");
                    return;
                }
                // A portal that ignores handle_token answers on the path it returns.
                const QString handle = reply.value().path();
                if (handle != m_subscribedPath && !subscribe(handle))
                    fail("could not listen for the desktop portal's answer");
            });
}

bool PortalScreenSampler::subscribe(const QString& path)
{
    unsubscribe();
    if (!m_bus.connect(service, path, requestInterface, QStringLiteral("Response"), this,
                       SLOT(onResponse(uint, QVariantMap))))
        return false;
    m_subscribedPath = path;
    return true;
}

void PortalScreenSampler::unsubscribe()
{
    if (m_subscribedPath.isEmpty())
        return;
    m_bus.disconnect(service, m_subscribedPath, requestInterface, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
    m_subscribedPath.clear();
}

void PortalScreenSampler::onResponse(uint response, const QVariantMap& results)
{
    if (!isWaiting())
        return;
    // 0 is a colour; 1 (the user cancelled) and 2 (anything else) end without one.
    finish(response == 0 ? colorOf(results) : std::nullopt);
}

void PortalScreenSampler::fail(const char* reason)
{
    m_log.warning(reason);
    finish(std::nullopt);
}

void PortalScreenSampler::finish(std::optional<SrgbComponents> components)
{
    if (!m_handler)
        return;
    unsubscribe();
    ++m_pickSerial;
    const SelectionHandler handler = std::exchange(m_handler, {});
    handler(components);
}
