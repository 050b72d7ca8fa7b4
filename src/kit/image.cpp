#include "image.h"

#include <atomic>

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace kit {

namespace {
std::atomic<qint64> g_decodeLimit { 250'000'000 };
}

struct Image::Private
{
    QByteArray encoded;
    QString path;
    QSize size;
    QImage pixels; // only for images made from pixels
};

Image::Image() = default;
Image::Image(std::shared_ptr<Private> d) : m_d(std::move(d)) { }

std::optional<Image> Image::load(const QString& path, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(path, f.errorString());
        return std::nullopt;
    }
    auto img = fromData(f.readAll(), error);
    if (img)
        img->m_d->path = path;
    return img;
}

std::optional<Image> Image::fromData(const QByteArray& encoded, QString* error)
{
    QByteArray bytes = encoded;
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf);
    reader.setAutoTransform(true);
    QSize s = reader.size();
    if (!s.isValid()) {
        if (error)
            *error = QStringLiteral("not an image");
        return std::nullopt;
    }
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        s.transpose();
    auto d = std::make_shared<Private>();
    d->encoded = bytes;
    d->size = s;
    return Image(d);
}

Image Image::fromPixels(const QImage& pixels)
{
    auto d = std::make_shared<Private>();
    d->pixels = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    d->size = pixels.size();
    return Image(d);
}

bool Image::isNull() const
{
    return !m_d || m_d->size.isEmpty();
}
Size Image::size() const
{
    return Size(QSizeF(pixelSize()));
}
QSize Image::pixelSize() const
{
    return m_d ? m_d->size : QSize(0, 0);
}
QString Image::filePath() const
{
    return m_d ? m_d->path : QString();
}
QByteArray Image::encodedData() const
{
    return m_d ? m_d->encoded : QByteArray();
}

QImage Image::pixels(QSize) const
{
    return fullPixels();
}

QImage Image::fullPixels() const
{
    if (!m_d)
        return {};
    if (!m_d->pixels.isNull())
        return m_d->pixels;
    QByteArray bytes = m_d->encoded;
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf);
    reader.setAutoTransform(true);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Image::pixelsExactly(QSize size) const
{
    return fullPixels().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void Image::prepare(const std::vector<std::pair<Image, QSize>>&) { }

qint64 Image::decodeLimitPixels()
{
    return g_decodeLimit;
}
void Image::setDecodeLimitPixels(qint64 pixels)
{
    g_decodeLimit = pixels;
}

} // namespace kit
