#pragma once

// Photos, databases and a loopback web server made by the media tests.

#include "support/testsupport.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace mediatest {

// A JPEG of `size` in `color` with a black mark in its top left quarter,
// which shows which way it was turned; with `exifOrientation` (1..8) an EXIF
// segment that asks viewers to turn it.
inline QByteArray jpeg(QSize size, QColor color, int exifOrientation = 0)
{
    QImage image = testsupport::solidImage(size, color, QImage::Format_RGB32);
    QPainter(&image).fillRect(0, 0, size.width() / 4, size.height() / 4, Qt::black);
    return testsupport::jpegData(image, exifOrientation);
}

// Runs statements on a new SQLite database at `path` (made writable here,
// unlike the parsers' connections).
inline bool makeDatabase(const QString& path, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "mediatest-writer");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements)
            ok = query.exec(statement) && ok;
        db.close();
    }
    QSqlDatabase::removeDatabase("mediatest-writer");
    return ok;
}

// An HTTP/1.1 server on 127.0.0.1 that answers each path with what the test
// sets; a path with no answer is never answered (a service that hangs).
class LoopbackServer : public QObject
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray contentType = "application/json";
        QByteArray body;
    };

    LoopbackServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                QObject::connect(socket, &QTcpSocket::readyRead, this,
                                 [this, socket] { serve(socket); });
            }
        });
    }

    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    void answer(const QString& path, Answer answer) { m_answers[path] = std::move(answer); }
    // Request targets (path and query) received so far.
    QStringList requests() const { return m_requests; }

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& pending = m_buffers[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> line = pending.left(pending.indexOf("\r\n")).split(' ');
        pending.clear();
        const QString target = line.size() > 1 ? QString::fromUtf8(line[1]) : QString();
        m_requests.append(target);
        const QString path = QUrl(target).path();
        if (!m_answers.contains(path))
            return;
        const Answer& a = m_answers[path];
        QByteArray response = "HTTP/1.1 " + QByteArray::number(a.status) + " X\r\nContent-Type: "
            + a.contentType + "\r\nContent-Length: " + QByteArray::number(a.body.size())
            + "\r\nConnection: close\r\n\r\n" + a.body;
        socket->write(response);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QStringList m_requests;
};

} // namespace mediatest
