#include "imagewriter.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>
#include <zlib.h>

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QThreadPool>
#include <QtConcurrent>

namespace kit {

namespace {

// What fast PNG encoders settle on: one cheap filter for every row and
// run-length matching. On photos UP with Z_RLE is both the fastest choice
// and within a few percent of the size at zlib's level 6 with adaptive
// filters (bench/image_bench.cpp compares).
constexpr uchar kFilterUp = 2;
constexpr int kZlibLevel = 1;
constexpr int kZlibStrategy = Z_RLE;
// Rows are filtered and deflated in stripes on the thread pool; each stripe
// is an independent run of deflate blocks, byte-aligned by a sync flush, so
// the stripes concatenate into one zlib stream (as pigz does).
constexpr int kMinStripeRows = 32;
constexpr qsizetype kMaxStripeBytes = qsizetype(64) << 20;

struct Stripe
{
    int first = 0;
    int last = 0; // inclusive
    QByteArray deflated;
    quint32 adler = 1;
    qsizetype length = 0; // filtered bytes
    bool ok = false;
};

// Deflates z's pending input into `out`, growing it as needed.
bool deflateInto(z_stream& z, QByteArray& out, int flush)
{
    do {
        if (out.size() - qsizetype(z.total_out) < (1 << 16))
            out.resize(out.size() + std::max<qsizetype>(out.size() / 2, 1 << 20));
        z.next_out = reinterpret_cast<Bytef*>(out.data()) + z.total_out;
        z.avail_out = uInt(out.size() - qsizetype(z.total_out));
        const int result = deflate(&z, flush);
        if (result == Z_STREAM_ERROR || (result == Z_BUF_ERROR && z.avail_out != 0))
            return false;
    } while (z.avail_out == 0);
    return true;
}

// How the rows of the file are laid out: the converted pixel format and the
// bytes a pixel takes.
struct RowLayout
{
    QImage::Format format;
    int channels;
};

// Converts the stripe's rows (and the row above it, which the Up filter
// reads) to the file's layout, filters and deflates them. Each stripe
// converts only its own rows, so no converted copy of the whole picture is
// ever made.
void deflateStripe(const QImage& source, RowLayout layout, bool finalStripe, Stripe& stripe)
{
    const int above = stripe.first > 0 ? 1 : 0;
    const int top = stripe.first - above;
    const QImage view(source.constScanLine(top), source.width(), stripe.last - top + 1,
                      source.bytesPerLine(), source.format());
    const QImage rows = view.format() == layout.format ? view : view.convertToFormat(layout.format);
    if (rows.isNull())
        return;
    const qsizetype rowBytes = qsizetype(source.width()) * layout.channels;

    z_stream z {};
    if (deflateInit2(&z, kZlibLevel, Z_DEFLATED, -15, 8, kZlibStrategy) != Z_OK)
        return;
    stripe.length = qsizetype(stripe.last - stripe.first + 1) * (rowBytes + 1);
    stripe.deflated.resize(qsizetype(deflateBound(&z, uLong(stripe.length))) + 64);
    std::vector<uchar> line(size_t(rowBytes) + 1);
    line[0] = kFilterUp;
    bool ok = true;
    for (int y = above; ok && y < rows.height(); ++y) {
        const uchar* row = rows.constScanLine(y);
        if (y == 0) {
            std::memcpy(line.data() + 1, row, size_t(rowBytes));
        } else {
            const uchar* previous = rows.constScanLine(y - 1);
            for (qsizetype i = 0; i < rowBytes; ++i)
                line[size_t(i) + 1] = uchar(row[i] - previous[i]);
        }
        stripe.adler = quint32(adler32(stripe.adler, line.data(), uInt(line.size())));
        z.next_in = line.data();
        z.avail_in = uInt(line.size());
        const bool last = y == rows.height() - 1;
        const int flush = !last ? Z_NO_FLUSH : finalStripe ? Z_FINISH : Z_SYNC_FLUSH;
        ok = deflateInto(z, stripe.deflated, flush);
    }
    stripe.deflated.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    stripe.ok = ok;
}

// Filtered, deflated scanlines as the payloads of consecutive IDAT chunks;
// nothing when compression failed.
std::vector<QByteArray> compressScanlines(const QImage& source, RowLayout layout)
{
    const int height = source.height();
    const qsizetype rowBytes = qsizetype(source.width()) * std::max(layout.channels, 4);
    const int threads = std::max(1, QThreadPool::globalInstance()->maxThreadCount());
    const qsizetype byCount = std::max(kMinStripeRows, (height + threads * 4 - 1) / (threads * 4));
    const int stripeRows =
        int(std::max<qsizetype>(1, std::min(byCount, kMaxStripeBytes / (rowBytes + 1))));
    std::vector<Stripe> stripes;
    for (int y = 0; y < height; y += stripeRows) {
        stripes.emplace_back();
        stripes.back().first = y;
        stripes.back().last = std::min(height, y + stripeRows) - 1;
    }
    QtConcurrent::blockingMap(QThreadPool::globalInstance(), stripes, [&](Stripe& s) {
        deflateStripe(source, layout, s.last == height - 1, s);
    });

    std::vector<QByteArray> chunks;
    quint32 adler = 1;
    for (Stripe& s : stripes) {
        if (!s.ok)
            return {};
        adler = quint32(adler32_combine(adler, s.adler, s.length));
        chunks.push_back(std::move(s.deflated));
    }
    // zlib header: deflate with a 32 KiB window, fastest level; the check
    // bits make it a multiple of 31.
    chunks.front().prepend("\x78\x01", 2);
    const char trailer[4] = { char(adler >> 24), char(adler >> 16), char(adler >> 8), char(adler) };
    chunks.back().append(trailer, 4);
    return chunks;
}

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

// libpng writes the signature, the header and the chunk framing with its
// checksums. Only plain C data lives in this frame: libpng reports errors
// by longjmp back to it.
bool writePngFile(PngSink* sink, int width, int height, int colorType, const QByteArray* idat,
                  size_t idatCount)
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
    png_write_info(png, info);
    for (size_t i = 0; i < idatCount; ++i)
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"),
                        reinterpret_cast<png_const_bytep>(idat[i].constData()),
                        size_t(idat[i].size()));
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Whether every pixel is opaque; the rows are scanned in bands on the pool.
bool isOpaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return true;
    const QImage argb = image.format() == QImage::Format_ARGB32_Premultiplied
            || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    constexpr int kBand = 256;
    std::vector<int> bands;
    for (int y = 0; y < argb.height(); y += kBand)
        bands.push_back(y);
    std::atomic<bool> opaque { true };
    QtConcurrent::blockingMap(QThreadPool::globalInstance(), bands, [&](int first) {
        const int last = std::min(argb.height(), first + kBand);
        for (int y = first; y < last && opaque.load(std::memory_order_relaxed); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            QRgb all = 0xff000000;
            for (int x = 0; x < argb.width(); ++x)
                all &= row[x];
            if ((all & 0xff000000) != 0xff000000)
                opaque = false;
        }
    });
    return opaque;
}

bool encodePng(const QImage& picture, QIODevice* device, QString* reason)
{
    // Stripes read rows in place; pixels narrower than a byte or indexed
    // ones are widened first.
    const QImage image = picture.depth() < 8 || picture.format() == QImage::Format_Indexed8
        ? picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32)
        : picture;
    if (image.isNull()) {
        *reason = QStringLiteral("out of memory");
        return false;
    }
    RowLayout layout;
    int colorType;
    if (image.format() == QImage::Format_Grayscale8) {
        layout = { QImage::Format_Grayscale8, 1 };
        colorType = PNG_COLOR_TYPE_GRAY;
    } else if (isOpaque(image)) {
        layout = { QImage::Format_RGB888, 3 };
        colorType = PNG_COLOR_TYPE_RGB;
    } else {
        layout = { QImage::Format_RGBA8888, 4 };
        colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    }
    if (image.width() > 1000000 || image.height() > 1000000) {
        *reason = QStringLiteral("PNG allows at most 1000000 pixels a side");
        return false;
    }
    const std::vector<QByteArray> idat = compressScanlines(image, layout);
    if (idat.empty()) {
        *reason = QStringLiteral("compression failed (out of memory?)");
        return false;
    }
    PngSink sink { device, {} };
    if (!writePngFile(&sink, image.width(), image.height(), colorType, idat.data(), idat.size())) {
        *reason = QString::fromUtf8(sink.message);
        return false;
    }
    return true;
}

// The picture laid on white paper: what a format without alpha shows of
// transparent margins, cut-out corners and shadows.
QImage flattenedOnWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image;
    // An opaque picture (a collage without margins) lies on the paper as it
    // is: its pixels are read as RGB in place.
    if ((image.format() == QImage::Format_ARGB32_Premultiplied
         || image.format() == QImage::Format_ARGB32)
        && isOpaque(image))
        return QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                      QImage::Format_RGB32);
    QImage paper(image.size(), QImage::Format_RGB32);
    if (paper.isNull())
        return paper;
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, image);
    return paper;
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
        pixels = flattenedOnWhite(image);
        break;
    case ImageFormat::Bmp:
        name = "bmp";
        pixels = flattenedOnWhite(image);
        break;
    case ImageFormat::Tiff:
        name = "tiff";
        break;
    case ImageFormat::Png:
        name = "png";
        break;
    }
    if (pixels.isNull()) {
        *reason = QStringLiteral("out of memory");
        return false;
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
