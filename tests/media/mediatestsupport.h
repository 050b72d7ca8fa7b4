#pragma once

// Photos, databases and a loopback web server made by the media tests.

#include <functional>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace mediatest {

// Runs the event loop until `done` holds or `limitMs` passed (a guard
// against a hang, not a measurement); answers `done()`.
inline bool waitUntil(const std::function<bool()>& done, int limitMs = 20000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    poll.start(5);
    if (!done())
        loop.exec();
    return done();
}

// A JPEG of `size` in `color`; with `exifOrientation` (1..8) an EXIF
// segment that asks viewers to turn it.
inline QByteArray jpeg(QSize size, QColor color, int exifOrientation = 0)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    // A mark in the top left corner shows which way the picture was turned.
    for (int y = 0; y < size.height() / 4; ++y)
        for (int x = 0; x < size.width() / 4; ++x)
            image.setPixelColor(x, y, Qt::black);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG", 95);
    }
    if (exifOrientation) {
        // APP1 "Exif", big-endian TIFF with one IFD entry: Orientation.
        QByteArray tiff = QByteArray::fromHex("4d4d002a00000008"
                                              "0001"
                                              "011200030000000100")
            + char(exifOrientation)
            + QByteArray::fromHex("0000"
                                  "00000000");
        QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
        QByteArray segment = QByteArray::fromHex("ffe1");
        const int length = app1.size() + 2;
        segment.append(char(length >> 8)).append(char(length & 0xff)).append(app1);
        bytes.insert(2, segment);
    }
    return bytes;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
