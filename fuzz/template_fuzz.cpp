// Feeds arbitrary bytes to the template reader as a template file, then
// builds, zooms, hit-tests and draws a cell for every accepted cell line at a
// few sizes, from ordinary to degenerate ones. Aborts when an accepted
// template breaks what the reader promises (positive finite dimensions,
// finite numbers, even point lists, curve outlines that start before they
// continue) or a cell's mask holds a point that is not finite.

#include "kit/render.h"
#include "template/klresourceitem.h"
#include "template/templatefile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QImage>
#include <QPainterPath>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "template_fuzz: %s\n", what);
    std::abort();
}

void checkNumbers(const std::vector<double>& numbers)
{
    if (numbers.size() % 2 != 0)
        fail("odd count of mask numbers");
    for (double v : numbers)
        if (!std::isfinite(v))
            fail("mask number not finite");
}

void checkRecord(const CellRecord& r)
{
    for (double v : { r.rect.x(), r.rect.y(), r.rect.width(), r.rect.height(), double(r.borderSize),
                      double(r.degree) })
        if (!std::isfinite(v))
            fail("cell number not finite");
    if (const auto* polygon = std::get_if<std::vector<double>>(&r.data)) {
        checkNumbers(*polygon);
    } else if (const auto* curves = std::get_if<std::vector<std::vector<double>>>(&r.data)) {
        bool started = false;
        for (const std::vector<double>& segment : *curves) {
            checkNumbers(segment);
            started = started || segment.size() == 8 || segment.size() == 4;
            if (!started && (segment.size() == 6 || segment.size() == 2))
                fail("curve outline continues before it starts");
        }
    } else if (const auto* text = std::get_if<QStringList>(&r.data)) {
        if (text->size() != 3 && text->size() != 6)
            fail("text mask without 3 or 6 fields");
    }
}

void checkMask(const KLResourceItem& cell)
{
    if (!cell.maskPath())
        return;
    const QPainterPath& mask = cell.maskPath()->toQt();
    for (int i = 0; i < mask.elementCount(); ++i) {
        const QPainterPath::Element e = mask.elementAt(i);
        if (!std::isfinite(e.x) || !std::isfinite(e.y))
            fail("mask point not finite");
    }
}

kit::Image photo()
{
    static const kit::Image image = [] {
        QImage pixels(24, 16, QImage::Format_ARGB32_Premultiplied);
        pixels.fill(Qt::darkCyan);
        return kit::Image::fromPixels(pixels);
    }();
    return image;
}

void exercise(const CellRecord& record, int tag)
{
    static const kit::Size sizes[] = { { 100, 100 }, { 37.5, 260 }, { 0, 0 }, { 3, 1e-3 } };
    for (const kit::Size size : sizes) {
        auto cell = KLResourceItem::create({ { 5, 7 }, size }, record);
        cell->setTag(tag);
        cell->setFrameRotation(cell->degree());
        checkMask(*cell);
        cell->_setImage(photo());
        cell->_setImageScale(cell->imageScale() + 0.1f);
        cell->_setImagePosition({ -3, 4 });
        cell->setBackgroundImage(photo(), { -10, -10, 100, 80 });
        for (const kit::Point p : { kit::Point(10, 10), kit::Point(50, 50), kit::Point(-1, 1e9) })
            (void)cell->pointInMask(p);
        (void)cell->focusRingPath();
        if (!size.isEmpty() && size.width * size.height < 1e5)
            (void)kit::renderToImage(*cell);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Templates are a few hundred bytes; longer inputs only slow text layout.
    if (size > 16 * 1024)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (templateCellCountOfText(text) > 9)
        fail("cell count above 9");
    const TemplateReadResult result = readTemplateText(text);
    if (!result.ok())
        return 0;
    const kit::Size frame = result.file->frameSize;
    if (!(std::isfinite(frame.width) && std::isfinite(frame.height) && frame.width > 0
          && frame.height > 0))
        fail("dimensions not positive and finite");
    int built = 0;
    for (const auto& [tag, record] : result.file->cells) {
        checkRecord(record);
        if (++built <= 8)
            exercise(record, tag);
    }
    return 0;
}
