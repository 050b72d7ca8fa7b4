#include "jpegregion.h"

#include "pixelbuffer.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace kit {

namespace {

// Pixels decoded around the rectangle on every side and dropped again:
// chroma upsampling reads the neighbours of a pixel, so the edges of a
// cropped decode may differ from the whole picture's; a few pixels inside
// they no longer do.
constexpr int kMargin = 16;

struct ErrorManager
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a truncated file, corrupt entropy data) are not fatal: libjpeg
// fills what is missing, as QImageReader's decoding does.
void ignoreMessage(j_common_ptr) { }

void releaseHolder(void* holder)
{
    delete static_cast<QImage*>(holder);
}

// One decoding's state, kept outside the function that sets the jump, so
// that nothing it changes is a local of that function when libjpeg jumps.
struct Decoding
{
    jpeg_decompress_struct info {};
    ErrorManager errors {};
    QImage decoded;
    JDIMENSION left = 0;
    int top = 0;
};

// Decodes the rows of the part and the margin above it, cropped to the
// columns around it, into `d.decoded`; false with the reason in `error`.
bool decodeRows(Decoding& d, const QByteArray& encoded, int dct, const QRect& rect,
                JpegRegion& result)
{
    jpeg_decompress_struct& info = d.info;
    if (setjmp(d.errors.jump)) {
        result.error = QString::fromLatin1(d.errors.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(encoded.constData()),
                 static_cast<unsigned long>(encoded.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        result.unsupported = true;
        return false;
    }
    info.scale_num = 1;
    info.scale_denom = 1u << std::clamp(dct, 0, 3);
    // Byte order of a QImage ARGB32 pixel in memory.
    info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&info);

    const QRect whole(0, 0, int(info.output_width), int(info.output_height));
    if (rect.isEmpty() || !whole.contains(rect)) {
        result.error = QStringLiteral("the part lies outside the picture");
        return false;
    }
    const QRect wanted = rect.adjusted(-kMargin, -kMargin, kMargin, kMargin) & whole;
    JDIMENSION width = JDIMENSION(wanted.width());
    d.left = JDIMENSION(wanted.x());
    if (d.left > 0 || width < info.output_width)
        jpeg_crop_scanline(&info, &d.left, &width); // widens to whole blocks
    d.top = wanted.y();
    d.decoded = newLargeImage({ int(width), rect.y() + rect.height() - d.top },
                              QImage::Format_ARGB32_Premultiplied);
    if (d.decoded.isNull()) {
        result.error = QStringLiteral("out of memory");
        return false;
    }
    if (d.top > 0)
        jpeg_skip_scanlines(&info, JDIMENSION(d.top));
    for (int y = 0; y < d.decoded.height(); ++y) {
        JSAMPROW row = d.decoded.scanLine(y);
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            break;
    }
    return true;
}

} // namespace

JpegRegion decodeJpegRegion(const QByteArray& encoded, int dct, const QRect& rect)
{
    JpegRegion result;
    Decoding d;
    d.info.err = jpeg_std_error(&d.errors.manager);
    d.errors.manager.error_exit = errorExit;
    d.errors.manager.output_message = ignoreMessage;
    const bool decoded = decodeRows(d, encoded, dct, rect, result);
    jpeg_destroy_decompress(&d.info); // also ends a decoding stopped early; safe if never created
    if (!decoded)
        return result;

    // The rectangle, in place inside the decoded rows: no copy.
    const int x = rect.x() - int(d.left);
    const int y = rect.y() - d.top;
    const qsizetype stride = d.decoded.bytesPerLine();
    uchar* first = d.decoded.bits() + qsizetype(y) * stride + qsizetype(x) * 4;
    result.pixels =
        QImage(first, rect.width(), rect.height(), stride, QImage::Format_ARGB32_Premultiplied,
               releaseHolder, new QImage(std::move(d.decoded)));
    return result;
}

} // namespace kit
