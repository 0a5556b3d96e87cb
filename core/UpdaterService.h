#pragma once

#include <QObject>
#include <QString>

// The update service as the rest of the application sees it. This build has no update
// framework configured: checks are never available and nothing is ever checked.
class UpdaterService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)
    Q_PROPERTY(QString statusMessage READ statusMessage NOTIFY statusMessageChanged)

public:
    explicit UpdaterService(QObject* parent = nullptr) : QObject(parent) {}

    bool canCheckForUpdates() const { return false; }
    QString statusMessage() const { return {}; }

public slots:
    void checkForUpdates() {}

signals:
    void canCheckForUpdatesChanged();
    void statusMessageChanged();
};
