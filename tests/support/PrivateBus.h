#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryFile>

// A dbus-daemon of the test's own, with no service activation, so nothing real answers on it
// and tests running beside it never see its names.
class PrivateBus
{
public:
    PrivateBus()
    {
        m_config.open();
        m_config.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                       "<policy context=\"default\"><allow send_destination=\"*\"/>"
                       "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>");
        m_config.flush();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--config-file=") + m_config.fileName(),
                        QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    const QString& address() const { return m_address; }

private:
    QTemporaryFile m_config;
    QProcess m_daemon;
    QString m_address;
};
