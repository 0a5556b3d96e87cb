// A StatusNotifierWatcher for tests, on the session bus it is started on. It takes the
// watcher's name, prints "ready", then follows lines on standard input:
//   host      a host registers
//   nohost    the host unregisters
// and leaves the bus at the end of input. Items that register are printed as "item NAME".
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>

#include <cstdio>
#include <string>
#include <unistd.h>

class FakeWatcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    bool isHostRegistered() const { return m_host; }
    QStringList items() const { return m_items; }
    int protocolVersion() const { return 0; }

    void setHost(bool host)
    {
        m_host = host;
        if (host)
            emit StatusNotifierHostRegistered();
        else
            emit StatusNotifierHostUnregistered();
    }

public slots:
    void RegisterStatusNotifierItem(const QString& service)
    {
        const QString item =
            service.startsWith(QLatin1Char('/')) ? message().service() + service : service;
        m_items.append(item);
        std::printf("item %s\n", qPrintable(item));
        std::fflush(stdout);
        emit StatusNotifierItemRegistered(item);
    }
    void RegisterStatusNotifierHost(const QString&) { setHost(true); }

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

private:
    bool m_host = false;
    QStringList m_items;
};

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    FakeWatcher watcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                            QDBusConnection::ExportAllContents) ||
        !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "could not take the watcher's name\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&] {
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
            QCoreApplication::quit();
            return;
        }
        pending.append(buffer, static_cast<size_t>(got));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (line == "host")
                watcher.setHost(true);
            else if (line == "nohost")
                watcher.setHost(false);
            std::printf("ok\n");
            std::fflush(stdout);
        }
    });
    return QCoreApplication::exec();
}

#include "FakeStatusNotifierWatcher.moc"
