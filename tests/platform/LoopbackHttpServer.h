#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A minimal HTTP/1.1 server on 127.0.0.1 for tests: answers GET requests from a table of
// paths, one request per connection, and records the paths asked for.
class LoopbackHttpServer : public QObject
{
public:
    struct Response
    {
        int status = 200;
        QByteArray body;
        QByteArray location; // sent with 3xx statuses
    };

    LoopbackHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }

    QHash<QString, Response> routes;
    QStringList requests;

private:
    void serve(QTcpSocket* socket)
    {
        socket->setParent(this);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray& pending = m_pending[socket];
            pending += socket->readAll();
            if (!pending.contains("\r\n\r\n"))
                return;
            const QString path = QString::fromLatin1(pending.split(' ').value(1));
            m_pending.remove(socket);
            requests.append(path);
            const Response response = routes.value(path, Response{404, "not found", {}});
            QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
            if (!response.location.isEmpty())
                head += "Location: " + response.location + "\r\n";
            head += "Content-Length: " + QByteArray::number(response.body.size()) +
                    "\r\nConnection: close\r\n\r\n";
            socket->write(head + response.body);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
};
