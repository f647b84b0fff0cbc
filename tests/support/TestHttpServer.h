#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;

// A tiny HTTP server on 127.0.0.1 for the download tests, so that each fault can be produced
// exactly. Every connection serves one request and, unless it stalls, is closed after it.
class TestHttpServer : public QObject {

public:
    struct Route {
        enum Mode {
            Whole,    // the response as given
            CutShort, // Content-Length of the whole body, half of it sent, then closed
            Silent,   // the request is read and never answered
        };
        int status = 200;
        QByteArray body{};
        Mode mode = Whole;
        QByteArray location{}; // for a redirect
        bool ranges = false;   // answers "Range: bytes=N-" with 206
    };

    TestHttpServer();
    ~TestHttpServer() override;

    // "http://127.0.0.1:PORT"
    QString url() const;
    void route(const QByteArray& path, const Route& route);
    // The head of every request received, in order.
    QList<QByteArray> requests() const { return m_requests; }

    // An address on 127.0.0.1 where nothing listens.
    static QString refusingUrl();

private:
    void serve(class QTcpSocket* socket);

    QTcpServer* m_server;
    QHash<QByteArray, Route> m_routes;
    QList<QByteArray> m_requests;
};
