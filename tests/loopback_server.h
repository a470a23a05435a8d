#pragma once

// A minimal HTTP server on 127.0.0.1 for the window tests: it serves the
// pages it is given, holds requests for paths it is told to hold (never
// answering them), answers 404 otherwise, and counts every request by path.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

class LoopbackServer : public QObject {
    Q_OBJECT

public:
    LoopbackServer();

    QUrl Root() const;
    void Serve(const QString& path, const QByteArray& html);
    void Hold(const QString& path);
    int Requests(const QString& path) const { return requests_.value(path); }

private:
    void Accept();
    void Answer(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QString, QByteArray> pages_;
    QSet<QString> held_;
    QHash<QString, int> requests_;
};
