#include "platform/sampling/portal/PortalScreenSampler.h"

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

QString describe(const QDBusError& error)
{
    return error.name() + QStringLiteral(": ") + error.message();
}

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
                                         QObject* parent, Log log)
    : QObject(parent), m_bus(std::move(bus)), m_parentWindow(std::move(parentWindow)),
      m_watcher(new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForUnregistration,
                                        this)),
      m_log(std::move(log))
{
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (isWaiting())
            fail(QStringLiteral("the desktop portal left the bus during a pick"),
                 PortalPickFailure::portalLeft);
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
    m_unavailable.clear();
    // The panel that started the pick steps aside at once; by the time the portal is called
    // the focus has left it.
    m_parentHandle = m_parentWindow ? m_parentWindow() : QString();
    ++m_pickSerial;
    if (!m_bus.isConnected()) {
        fail(QStringLiteral("no session bus: screen colour picking is unavailable"),
             PortalPickFailure::noBus);
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
                    // No portal at all, or a portal without the screenshot interface.
                    const QDBusError error = reply.error();
                    const bool noService =
                        error.type() == QDBusError::ServiceUnknown ||
                        error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
                    fail(QStringLiteral("no desktop portal screenshot interface for picking "
                                        "colours (%1)")
                             .arg(describe(error)),
                         noService ? PortalPickFailure::noPortal : PortalPickFailure::noScreenshot);
                    return;
                }
                const uint version = reply.value().variant().toUInt();
                if (version < minimumVersion) {
                    fail(QStringLiteral("the desktop portal's screenshot interface is version %1; "
                                        "picking colours needs 2")
                             .arg(version),
                         PortalPickFailure::oldScreenshot, version);
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
        fail(QStringLiteral("could not listen for the desktop portal's answer"),
             PortalPickFailure::pickFailed);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, interface, QStringLiteral("PickColor"));
    call << m_parentHandle << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, noTimeout), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, serial = m_pickSerial] {
            watcher->deleteLater();
            if (serial != m_pickSerial || !isWaiting())
                return;
            const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
            if (reply.isError()) {
                const QDBusError error = reply.error();
                fail(QStringLiteral("the desktop portal refused to pick a colour (%1)")
                         .arg(describe(error)),
                     error.type() == QDBusError::UnknownMethod ? PortalPickFailure::noScreenshot
                                                               : PortalPickFailure::pickRefused);
                return;
            }
            // A portal that ignores handle_token answers on the path it returns.
            const QString handle = reply.value().path();
            if (handle != m_subscribedPath && !subscribe(handle))
                fail(QStringLiteral("could not listen for the desktop portal's answer"),
                     PortalPickFailure::pickFailed);
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
    if (response == 1) {
        m_log.info("the desktop portal's pick was cancelled (response 1)");
        finish(std::nullopt);
        return;
    }
    const std::optional<SrgbComponents> colour = response == 0 ? colorOf(results) : std::nullopt;
    if (!colour) {
        fail(QStringLiteral("the desktop portal ended the pick with response %1 and no colour "
                            "(results: %2)")
                 .arg(response)
                 .arg(results.keys().join(QStringLiteral(", "))),
             PortalPickFailure::pickFailed);
        return;
    }
    finish(colour);
}

void PortalScreenSampler::fail(const QString& logLine, PortalPickFailure failure, uint version)
{
    m_log.warning(logLine.toStdString());
    m_unavailable = m_session.pickUnavailableReason(failure, version);
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
