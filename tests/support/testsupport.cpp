#include "testsupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>

namespace testsupport {

QColor pixelYUp(const QImage& image, int x, int y)
{
    return image.pixelColor(x, image.height() - 1 - y);
}

bool sameColor(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance
        && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

namespace {

bool near(double a, double b, double tolerance)
{
    return std::abs(a - b) <= tolerance;
}

std::string describe(const kit::Rect& r)
{
    return "(" + std::to_string(r.x()) + ", " + std::to_string(r.y()) + ", "
        + std::to_string(r.width()) + " x " + std::to_string(r.height()) + ")";
}

} // namespace

::testing::AssertionResult rectNear(const kit::Rect& actual, const kit::Rect& expected,
                                    double tolerance)
{
    if (near(actual.x(), expected.x(), tolerance) && near(actual.y(), expected.y(), tolerance)
        && near(actual.width(), expected.width(), tolerance)
        && near(actual.height(), expected.height(), tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "rectangle " << describe(actual) << ", expected " << describe(expected);
}

::testing::AssertionResult pointNear(kit::Point actual, kit::Point expected, double tolerance)
{
    if (near(actual.x, expected.x, tolerance) && near(actual.y, expected.y, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "point (" << actual.x << ", " << actual.y << "), expected (" << expected.x << ", "
        << expected.y << ")";
}

QImage solidImage(QSize size, const QColor& color, QImage::Format format)
{
    QImage image(size, format);
    image.fill(color);
    return image;
}

kit::Image solidPhoto(QSize size, const QColor& color)
{
    return kit::Image::fromPixels(solidImage(size, color));
}

QImage quadrants(QSize size, const QColor& lowerRight)
{
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width(), h = size.height();
    QPainter painter(&image);
    painter.fillRect(0, 0, w / 2, h / 2, Qt::red);
    painter.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    painter.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    painter.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, lowerRight);
    return image;
}

bool writeImage(const QImage& image, const QString& path, int quality)
{
    QImageWriter writer(path);
    writer.setQuality(quality);
    return writer.write(image);
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return {};
    }
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSizeF pdfPageSize(const QByteArray& pdf)
{
    static const QRegularExpression box(
        QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"));
    const auto m = box.match(QString::fromLatin1(pdf));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString dataPath(const QString& name)
{
    return QStringLiteral(TESSERA_TEST_DATA "/") + name;
}

QByteArray jpegData(const QImage& image, int exifOrientation)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    writer.write(image);
    if (exifOrientation == 0)
        return bytes;
    // APP1 "Exif" right after SOI: a big-endian TIFF header and one IFD
    // entry, Orientation (SHORT, count 1), with no next IFD.
    const QByteArray payload =
        QByteArray("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24)
        + char(exifOrientation >> 8) + char(exifOrientation & 0xff) + QByteArray(6, 0);
    const int length = int(payload.size()) + 2;
    return bytes.insert(
        2, QByteArray("\xff\xe1", 2) + char(length >> 8) + char(length & 0xff) + payload);
}

bool waitUntil(const std::function<bool()>& done, int limitMs)
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

namespace {

// Worker threads log too; one lock guards the innermost capture.
std::mutex g_logMutex;
LogCapture* g_capture = nullptr;

} // namespace

LogCapture::LogCapture(const char* category) : m_category(category)
{
    std::lock_guard lock(g_logMutex);
    m_outer = g_capture;
    g_capture = this;
    m_previous = qInstallMessageHandler(&LogCapture::handle);
}

LogCapture::~LogCapture()
{
    std::lock_guard lock(g_logMutex);
    g_capture = m_outer;
    qInstallMessageHandler(m_previous);
}

void LogCapture::handle(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    std::lock_guard lock(g_logMutex);
    LogCapture* capture = g_capture;
    if (!capture)
        return;
    if (!capture->m_category.isEmpty()
        && (!context.category || capture->m_category != context.category))
        return;
    capture->m_lines.append(message);
}

QStringList LogCapture::lines() const
{
    std::lock_guard lock(g_logMutex);
    return m_lines;
}

bool LogCapture::contains(const QString& text) const
{
    const QStringList all = lines();
    return std::any_of(all.begin(), all.end(), [&](const QString& l) { return l.contains(text); });
}

void LogCapture::clear()
{
    std::lock_guard lock(g_logMutex);
    m_lines.clear();
}

} // namespace testsupport
