#pragma once

#include <QDBusConnection>
#include <QObject>

#include <chrono>
#include <optional>

class QDBusServiceWatcher;

// Watches the session bus for a StatusNotifierWatcher with a registered host: the desktop
// that shows StatusNotifierItems. Every question is asynchronous; the answer is unknown until
// the first reply (or its timeout, which counts as no host).
class StatusNotifierHostWatch : public QObject
{
    Q_OBJECT

public:
    static inline const QString service = QStringLiteral("org.kde.StatusNotifierWatcher");
    static inline const QString path = QStringLiteral("/StatusNotifierWatcher");
    static constexpr std::chrono::milliseconds answerTimeout{2000};

    explicit StatusNotifierHostWatch(const QDBusConnection& bus, QObject* parent = nullptr);

    std::optional<bool> hostRegistered() const { return m_hostRegistered; }

signals:
    void changed();

private slots:
    void onHostRegistered();
    void onHostUnregistered();

private:
    void ask();
    void set(bool registered);

    QDBusConnection m_bus;
    QDBusServiceWatcher* m_serviceWatcher;
    std::optional<bool> m_hostRegistered;
    quint64 m_question = 0; // only the answer to the latest question counts
};
