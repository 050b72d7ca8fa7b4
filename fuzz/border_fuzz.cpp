// Feeds arbitrary bytes to the frame border reader as a border file, then
// builds the outline of every accepted border for rectangles from ordinary
// canvas sizes to degenerate ones. Aborts when an accepted border has
// numbers the reader promises to refuse, or an outline holds a point that is
// not finite or lies out of painting range.

#include "border/klframeborder.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include <QLoggingCategory>
#include <QPainterPath>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "border_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLoggingCategory::setFilterRules(QStringLiteral("tessera.*=false\nqt.*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Border files are a few hundred bytes.
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto border = KLFrameBorder::fromUtf8(bytes, QStringLiteral("fuzz.bdr"));
    if (!border)
        return 0;
    if (!(std::isfinite(border->ratio()) && border->ratio() > 0 && std::isfinite(border->times())
          && border->times() > 0))
        fail("accepted a ratio or times that is not finite and positive");

    // Ordinary canvases, tiny and degenerate ones, and one so long and thin
    // that the repeat count is capped. That one costs as much as all the
    // others together many times over, so only every eighth input length
    // tries it (still deterministic for a reproducer).
    static const kit::Rect rects[] = {
        { 0, 0, 640, 400 },     { 10, 20, 3072, 2048 }, { 0, 0, 1, 1 },
        { -5, -5, 1e-3, 2e-3 }, { 0, 0, 0, 10 },        { 0, 0, 1e6, 3 },
    };
    const size_t count = std::size(rects) - (size % 8 == 0 ? 0 : 1);
    for (size_t r = 0; r < count; ++r) {
        const kit::Rect& rect = rects[r];
        const kit::Path outline = border->borderPathForRect(rect);
        const QPainterPath& path = outline.toQt();
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (!std::isfinite(e.x) || !std::isfinite(e.y))
                fail("outline point is not finite");
            if (std::abs(e.x) > 1e12 || std::abs(e.y) > 1e12)
                fail("outline point out of painting range");
        }
        const double depth = border->depthForRect(rect);
        if (!std::isfinite(depth) || depth < 0)
            fail("depth is not finite");
    }
    return 0;
}
