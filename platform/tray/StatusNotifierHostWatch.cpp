#include "platform/tray/StatusNotifierHostWatch.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QMetaObject>

StatusNotifierHostWatch::StatusNotifierHostWatch(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus),
      m_serviceWatcher(
          new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this))
{
    if (!m_bus.isConnected()) {
        // No session bus: no host, said after the present call as a reply would be.
        QMetaObject::invokeMethod(
            this, [this] { set(false); }, Qt::QueuedConnection);
        return;
    }
    connect(m_serviceWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner.isEmpty()) {
                    ++m_question;
                    set(false);
                } else {
                    ask();
                }
            });
    // Any sender: naming the service would make Qt look its owner up synchronously.
    const QString interface = service;
    m_bus.connect(QString(), path, interface, QStringLiteral("StatusNotifierHostRegistered"), this,
                  SLOT(onHostRegistered()));
    m_bus.connect(QString(), path, interface, QStringLiteral("StatusNotifierHostUnregistered"),
                  this, SLOT(onHostUnregistered()));
    ask();
}

void StatusNotifierHostWatch::onHostRegistered()
{
    ++m_question; // an older "none" answer must not undo this
    set(true);
}

void StatusNotifierHostWatch::onHostUnregistered()
{
    ask(); // another host may remain
}

void StatusNotifierHostWatch::ask()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << service << QStringLiteral("IsStatusNotifierHostRegistered");
    const quint64 question = ++m_question;
    auto* pending = new QDBusPendingCallWatcher(
        m_bus.asyncCall(get, static_cast<int>(answerTimeout.count())), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, question](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (question != m_question)
                    return;
                const QDBusPendingReply<QDBusVariant> reply = *call;
                // No watcher, a broken one or none in time: no host.
                set(!reply.isError() && reply.value().variant().toBool());
            });
}

void StatusNotifierHostWatch::set(bool registered)
{
    if (m_hostRegistered == registered)
        return;
    m_hostRegistered = registered;
    emit changed();
}
