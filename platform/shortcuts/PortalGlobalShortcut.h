#pragma once

#include "core/ports/GlobalShortcut.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QList>
#include <QObject>
#include <QVariantMap>

class QDBusArgument;
class QDBusServiceWatcher;

// One shortcut as the GlobalShortcuts portal lists them: (sa{sv}).
struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);
Q_DECLARE_METATYPE(PortalShortcut)

// The global key through the desktop portal's GlobalShortcuts: a session of our own
// (CreateSession), the pick shortcut bound in it with the key as its preferred trigger
// (BindShortcuts), and its Activated signal. The desktop owns the binding: the trigger it
// reports (also after the user changes it in the desktop's settings) is the report's detail.
// No portal, one without GlobalShortcuts, or one that binds nothing: unsupported. A user who
// declines: declined. A portal that leaves: failed, and bound again when it returns. Main
// thread only.
class PortalGlobalShortcut : public QObject, public GlobalShortcut
{
    Q_OBJECT

public:
    static inline const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString interface =
        QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
    static inline const QString shortcutId = QStringLiteral("pick-color");

    explicit PortalGlobalShortcut(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);
    ~PortalGlobalShortcut() override;

    void setHandlers(ActivationHandler activated, ReportHandler report) override;
    void bind(const QString& keySequence) override;

    // The key as a preferred trigger for the portal: "SHIFT+LOGO+c".
    static QString preferredTrigger(const QString& keySequence);

private slots:
    void onActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);
    void onShortcutsChanged(const QDBusObjectPath& session, const QList<PortalShortcut>& shortcuts);

private:
    using Answer = std::function<void(uint response, const QVariantMap& results)>;

    void createSession(quint64 generation);
    void bindShortcuts(quint64 generation);
    // Calls a portal method that answers through a Request's Response signal.
    void request(const QString& method, QList<QVariant> arguments, const QString& token,
                 quint64 generation, Answer answer);
    void closeSession();
    void report(Status status, const QString& detail = QString());
    // Active with the desktop's trigger, or `missing` when the pick shortcut is not listed.
    void reportTrigger(const QList<PortalShortcut>& shortcuts, Status missing);

    QDBusConnection m_bus;
    QDBusServiceWatcher* m_watcher;
    QString m_wanted;
    QString m_session;
    quint64 m_generation = 0; // answers to an older bind() are dropped
    quint64 m_tokens = 0;
    ActivationHandler m_activated;
    ReportHandler m_report;
};
