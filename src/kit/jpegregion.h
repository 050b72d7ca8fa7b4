#pragma once

// JPEG decoding straight through libjpeg, for the one job where QImageReader
// does more work than needed: a part of a large photo at a reduced scale.
// The reader decodes every column of every row above the part and converts
// each row through a buffer of its own; this decodes only the columns around
// the part, stops after its last row and writes the pixels where they stay.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

namespace kit {

struct JpegRegion
{
    QImage pixels; // ARGB32 premultiplied, opaque; null on failure
    // True when libjpeg cannot give RGB for the picture (CMYK): the caller
    // decodes it some other way. Otherwise a null image is a damaged file.
    bool unsupported = false;
    QString error;
};

// The rectangle `rect` of the picture as stored (not turned by its EXIF
// orientation) and scaled by 2^-dct (dct 0..3), where the scaled size is the
// stored size divided by 2^dct and rounded up, as libjpeg scales. The pixels
// are those of the same rectangle of the whole picture decoded at that scale.
JpegRegion decodeJpegRegion(const QByteArray& encoded, int dct, const QRect& rect);

} // namespace kit
