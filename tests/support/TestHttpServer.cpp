#include "TestHttpServer.h"

#include <QTcpServer>
#include <QTcpSocket>

TestHttpServer::TestHttpServer()
    : m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

TestHttpServer::~TestHttpServer() = default;

QString TestHttpServer::url() const
{
    return QString("http://127.0.0.1:%1").arg(m_server->serverPort());
}

QString TestHttpServer::refusingUrl()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QString("http://127.0.0.1:%1").arg(port);
}

void TestHttpServer::route(const QByteArray& path, const Route& route)
{
    m_routes.insert(path, route);
}

void TestHttpServer::serve(QTcpSocket* socket)
{
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n") || socket->property("served").toBool())
        return;
    socket->setProperty("served", true);
    m_requests << head;
    const QByteArray path = head.split(' ').value(1);
    const auto found = m_routes.constFind(path);
    Route route = found != m_routes.constEnd()
                      ? *found
                      : Route{.status = 404, .body = "<html>Not here</html>"};
    if (route.mode == Route::Silent)
        return;

    qint64 from = 0;
    const int rangeAt = head.indexOf("Range: bytes=");
    if (route.ranges && rangeAt >= 0 && route.status == 200) {
        from = head.mid(rangeAt + 13).split('-').at(0).toLongLong();
        route.status = 206;
    }
    const QByteArray body = route.body.mid(from);
    QByteArray response = "HTTP/1.1 " + QByteArray::number(route.status) + " Status\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    response += "Connection: close\r\n";
    if (!route.location.isEmpty())
        response += "Location: " + route.location + "\r\n";
    if (route.status == 206)
        response += "Content-Range: bytes " + QByteArray::number(from) + "-" +
                    QByteArray::number(route.body.size() - 1) + "/" +
                    QByteArray::number(route.body.size()) + "\r\n";
    response += "\r\n";
    response += route.mode == Route::CutShort ? body.left(body.size() / 2) : body;
    socket->write(response);
    socket->disconnectFromHost();
}
