#include "imagewriter.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <png.h>
#include <zlib.h>

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace kit {

namespace {

// What fast PNG encoders settle on: one cheap filter for every row and the
// fastest zlib level. Photos compress within a few percent of Qt's adaptive
// filtering at level 6, in a fraction of the time.
constexpr int kPngFilter = PNG_FILTER_SUB;
constexpr int kPngZlibLevel = 1;
constexpr int kPngZlibStrategy = Z_DEFAULT_STRATEGY;

struct PngSink
{
    QIODevice* device;
    char message[256];
};

void pngWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (sink->device->write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
        png_error(png, "the file could not be written");
}

void pngFlush(png_structp) { }

[[noreturn]] void pngFail(png_structp png, png_const_charp message)
{
    auto* sink = static_cast<PngSink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

void pngWarn(png_structp, png_const_charp) { }

// Only plain C data lives in this frame: libpng reports errors by
// longjmp back to it.
bool encodePngRows(PngSink* sink, const uchar* bits, qsizetype bytesPerLine, int width, int height,
                   int colorType)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, sink, pngFail, pngWarn);
    if (!png) {
        std::snprintf(sink->message, sizeof sink->message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, sink, pngWrite, pngFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, kPngFilter);
    png_set_compression_level(png, kPngZlibLevel);
    png_set_compression_strategy(png, kPngZlibStrategy);
    png_set_compression_buffer_size(png, 1 << 17);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, bits + y * bytesPerLine);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool isOpaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return true;
    const QImage argb = image.format() == QImage::Format_ARGB32_Premultiplied
            || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QRgb all = 0xff000000;
        for (int x = 0; x < argb.width(); ++x)
            all &= row[x];
        if ((all & 0xff000000) != 0xff000000)
            return false;
    }
    return true;
}

bool encodePng(const QImage& image, QIODevice* device, QString* reason)
{
    QImage rows;
    int colorType;
    if (image.format() == QImage::Format_Grayscale8) {
        rows = image;
        colorType = PNG_COLOR_TYPE_GRAY;
    } else if (isOpaque(image)) {
        rows = image.convertToFormat(QImage::Format_RGB888);
        colorType = PNG_COLOR_TYPE_RGB;
    } else {
        rows = image.convertToFormat(QImage::Format_RGBA8888);
        colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    }
    if (rows.isNull()) {
        *reason = QStringLiteral("out of memory");
        return false;
    }
    PngSink sink { device, {} };
    if (!encodePngRows(&sink, rows.constBits(), rows.bytesPerLine(), rows.width(), rows.height(),
                       colorType)) {
        *reason = QString::fromUtf8(sink.message);
        return false;
    }
    return true;
}

bool encodeWithQt(const QImage& image, QIODevice* device, ImageFormat format, int jpegQuality,
                  QString* reason)
{
    QImage pixels = image;
    QByteArray name;
    QImageWriter writer;
    switch (format) {
    case ImageFormat::Jpeg:
        name = "jpeg";
        writer.setQuality(std::clamp(jpegQuality, 0, 100));
        // Premultiplied pixels make fully transparent ones black, whatever
        // colour an unpremultiplied image kept under them.
        if (pixels.hasAlphaChannel())
            pixels = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                         .convertToFormat(QImage::Format_RGB32);
        break;
    case ImageFormat::Bmp:
        name = "bmp";
        if (pixels.hasAlphaChannel())
            pixels = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                         .convertToFormat(QImage::Format_RGB32);
        break;
    case ImageFormat::Tiff:
        name = "tiff";
        break;
    case ImageFormat::Png:
        name = "png";
        break;
    }
    writer.setDevice(device);
    writer.setFormat(name);
    if (!writer.canWrite()) {
        *reason = QStringLiteral("%1 encoding is not available (%2)")
                      .arg(formatName(format), writer.errorString());
        return false;
    }
    if (!writer.write(pixels)) {
        *reason = writer.errorString();
        return false;
    }
    return true;
}

} // namespace

std::optional<ImageFormat> formatFromExtension(const QString& extension)
{
    QString e = extension.trimmed().toLower();
    if (e.startsWith(QLatin1Char('.')))
        e.remove(0, 1);
    if (e == QLatin1String("png"))
        return ImageFormat::Png;
    if (e == QLatin1String("jpg") || e == QLatin1String("jpeg"))
        return ImageFormat::Jpeg;
    if (e == QLatin1String("tif") || e == QLatin1String("tiff"))
        return ImageFormat::Tiff;
    if (e == QLatin1String("bmp"))
        return ImageFormat::Bmp;
    return std::nullopt;
}

std::optional<ImageFormat> formatFromName(const QString& name)
{
    return formatFromExtension(name);
}

QString formatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Png:
        return QStringLiteral("PNG");
    case ImageFormat::Jpeg:
        return QStringLiteral("JPEG");
    case ImageFormat::Tiff:
        return QStringLiteral("TIFF");
    case ImageFormat::Bmp:
        return QStringLiteral("BMP");
    }
    return {};
}

QString formatExtension(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Png:
        return QStringLiteral("png");
    case ImageFormat::Jpeg:
        return QStringLiteral("jpg");
    case ImageFormat::Tiff:
        return QStringLiteral("tiff");
    case ImageFormat::Bmp:
        return QStringLiteral("bmp");
    }
    return {};
}

bool writeImage(const QImage& image, const QString& path, ImageFormat format, QString* error,
                int jpegQuality)
{
    QString reason;
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, why);
        return false;
    };
    if (image.isNull())
        return fail(QStringLiteral("the picture is empty"));
    if (path.isEmpty())
        return fail(QStringLiteral("no file name"));
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("it is a folder"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    const bool encoded = format == ImageFormat::Png
        ? encodePng(image, &file, &reason)
        : encodeWithQt(image, &file, format, jpegQuality, &reason);
    if (!encoded) {
        file.cancelWriting();
        return fail(file.error() != QFileDevice::NoError ? file.errorString() : reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace kit
