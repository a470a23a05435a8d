#include "loopback_server.h"

#include <QTcpSocket>

LoopbackServer::LoopbackServer() {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, &LoopbackServer::Accept);
}

QUrl LoopbackServer::Root() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort()));
}

void LoopbackServer::Serve(const QString& path, const QByteArray& html) { pages_[path] = html; }

void LoopbackServer::Hold(const QString& path) { held_.insert(path); }

void LoopbackServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

// Enough of HTTP for a browser: one GET per connection, then close.
void LoopbackServer::Answer(QTcpSocket* socket) {
    if (!socket->canReadLine() || socket->property("answered").toBool()) return;
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = socket->readLine().split(' ');
    const QString path = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
    ++requests_[path];
    if (held_.contains(path)) return;

    const bool found = pages_.contains(path);
    const QByteArray body = found ? pages_.value(path) : QByteArray("not found");
    socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                  QByteArray("Content-Type: text/html; charset=utf-8\r\nConnection: close\r\n") +
                  "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}
