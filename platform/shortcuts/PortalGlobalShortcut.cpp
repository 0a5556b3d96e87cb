#include "platform/shortcuts/PortalGlobalShortcut.h"

#include "core/Log.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QKeySequence>
#include <QPointer>

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

namespace {

const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

// Listens for one Request's Response, then goes.
class ResponseListener : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(uint, const QVariantMap&)>;

    ResponseListener(QDBusConnection bus, QString path, Answer answer, QObject* parent)
        : QObject(parent), m_bus(std::move(bus)), m_path(std::move(path)),
          m_answer(std::move(answer))
    {
    }
    bool listen()
    {
        return m_bus.connect(QString(), m_path, requestInterface, QStringLiteral("Response"), this,
                             SLOT(onResponse(uint, QVariantMap)));
    }
    ~ResponseListener() override
    {
        m_bus.disconnect(QString(), m_path, requestInterface, QStringLiteral("Response"), this,
                         SLOT(onResponse(uint, QVariantMap)));
    }

public slots:
    void onResponse(uint response, const QVariantMap& results)
    {
        const Answer answer = std::exchange(m_answer, {});
        deleteLater();
        if (answer)
            answer(response, results);
    }

private:
    QDBusConnection m_bus;
    QString m_path;
    Answer m_answer;
};

QString requestPath(const QString& uniqueName, const QString& token)
{
    QString sender = uniqueName.startsWith(QLatin1Char(':')) ? uniqueName.mid(1) : uniqueName;
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

} // namespace

PortalGlobalShortcut::PortalGlobalShortcut(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus),
      m_watcher(
          new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this))
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    if (!m_bus.isConnected())
        return;
    m_bus.connect(QString(), objectPath, interface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    m_bus.connect(QString(), objectPath, interface, QStringLiteral("ShortcutsChanged"), this,
                  SLOT(onShortcutsChanged(QDBusObjectPath, QList<PortalShortcut>)));
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                if (m_wanted.isEmpty())
                    return;
                if (owner.isEmpty()) {
                    Log("shortcut").warning("the desktop portal left: the pick key is off");
                    ++m_generation;
                    m_session.clear();
                    report(Status::failed, tr("the desktop portal stopped"));
                } else {
                    bind(m_wanted); // a portal that came back binds the key again
                }
            });
}

PortalGlobalShortcut::~PortalGlobalShortcut()
{
    closeSession();
}

void PortalGlobalShortcut::setHandlers(ActivationHandler activated, ReportHandler report)
{
    m_activated = std::move(activated);
    m_report = std::move(report);
}

QString PortalGlobalShortcut::preferredTrigger(const QString& keySequence)
{
    const QKeySequence sequence = QKeySequence::fromString(keySequence, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return QString();
    const QKeyCombination combination = sequence[0];
    QStringList parts;
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (modifiers & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    // Key names as xkb names them: letters lower case, most others as Qt does.
    const QString key = QKeySequence(combination.key()).toString(QKeySequence::PortableText);
    parts << (key.size() == 1 || key == QLatin1String("Space") ? key.toLower() : key);
    return parts.join(QLatin1Char('+'));
}

void PortalGlobalShortcut::bind(const QString& keySequence)
{
    const quint64 generation = ++m_generation;
    m_wanted = keySequence;
    closeSession();
    if (keySequence.isEmpty())
        return report(Status::off);
    if (!m_bus.isConnected())
        return report(Status::unsupported);
    report(Status::pending);
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << interface << QStringLiteral("version");
    // A portal being started by the bus answers within this; one that does not is none.
    constexpr int versionTimeout = 5000;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get, versionTimeout), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (generation != m_generation)
                    return;
                const QDBusPendingReply<QDBusVariant> reply = *call;
                if (reply.isError())
                    return report(Status::unsupported); // no portal, or none with the interface
                createSession(generation);
            });
}

void PortalGlobalShortcut::createSession(quint64 generation)
{
    const QString token = QStringLiteral("morvane_key%1").arg(++m_tokens);
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), token}};
    request(QStringLiteral("CreateSession"), {options}, token, generation,
            [this, generation](uint response, const QVariantMap& results) {
                if (response == 1)
                    return report(Status::declined);
                m_session = results.value(QStringLiteral("session_handle")).toString();
                if (response != 0 || m_session.isEmpty())
                    return report(Status::failed, tr("it did not start a shortcut session"));
                bindShortcuts(generation);
            });
}

void PortalGlobalShortcut::bindShortcuts(quint64 generation)
{
    const QString token = QStringLiteral("morvane_key%1").arg(++m_tokens);
    QVariantMap properties{{QStringLiteral("description"), tr("Pick a color")}};
    const QString trigger = preferredTrigger(m_wanted);
    if (!trigger.isEmpty())
        properties.insert(QStringLiteral("preferred_trigger"), trigger);
    const QList<PortalShortcut> shortcuts{{shortcutId, properties}};
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts),
             QString(), QVariantMap{{QStringLiteral("handle_token"), token}}},
            token, generation, [this](uint response, const QVariantMap& results) {
                if (response == 1)
                    return report(Status::declined);
                if (response != 0)
                    return report(Status::failed, tr("it refused the shortcut"));
                // Accepted, yet bound nothing: the KDE portal of Plasma 5.27 answers so to an
                // application whose id it cannot tell (one not started sandboxed or in an
                // application scope). To the user, a desktop that binds no key for the picker.
                reportTrigger(
                    qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts"))),
                    Status::unsupported);
            });
}

void PortalGlobalShortcut::request(const QString& method, QList<QVariant> arguments,
                                   const QString& token, quint64 generation, Answer answer)
{
    // Listening before the call: the portal may answer before its reply is read.
    auto* listener = new ResponseListener(
        m_bus, requestPath(m_bus.baseService(), token),
        [this, generation, answer](uint response, const QVariantMap& results) {
            if (generation == m_generation)
                answer(response, results);
        },
        this);
    if (!listener->listen()) {
        delete listener;
        return report(Status::failed, tr("its answer could not be received"));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, interface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation,
             listener = QPointer<ResponseListener>(listener)](QDBusPendingCallWatcher* pending) {
                pending->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *pending;
                if (!reply.isError() || generation != m_generation)
                    return;
                delete listener.data();
                report(Status::failed, reply.error().message());
            });
}

void PortalGlobalShortcut::closeSession()
{
    if (m_session.isEmpty())
        return;
    m_bus.asyncCall(QDBusMessage::createMethodCall(service, m_session,
                                                   QStringLiteral("org.freedesktop.portal.Session"),
                                                   QStringLiteral("Close")));
    m_session.clear();
}

void PortalGlobalShortcut::onActivated(const QDBusObjectPath& session, const QString& id,
                                       qulonglong, const QVariantMap&)
{
    if (!m_session.isEmpty() && session.path() == m_session && id == shortcutId && m_activated)
        m_activated();
}

void PortalGlobalShortcut::onShortcutsChanged(const QDBusObjectPath& session,
                                              const QList<PortalShortcut>& shortcuts)
{
    if (!m_session.isEmpty() && session.path() == m_session)
        reportTrigger(shortcuts, Status::declined); // the user took it out
}

void PortalGlobalShortcut::reportTrigger(const QList<PortalShortcut>& shortcuts, Status missing)
{
    for (const PortalShortcut& shortcut : shortcuts) {
        if (shortcut.id == shortcutId)
            return report(
                Status::active,
                shortcut.properties.value(QStringLiteral("trigger_description")).toString());
    }
    report(missing);
}

void PortalGlobalShortcut::report(Status status, const QString& detail)
{
    if (m_report)
        m_report({status, detail});
}

#include "PortalGlobalShortcut.moc"
