#include "alphablur.h"

// The column passes and the mask helpers are plain loops over whole rows;
// GCC vectorises them only from -O3 (clang does at -O2).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("tree-vectorize")
#endif

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kit {

namespace {

constexpr int kPasses = 3;

// An "extended box" (Gwosdek et al., 2011): weight 1 on [-r, r] and `alpha`
// on ±(r + 1), normalised. Three of them reproduce the Gaussian's variance
// exactly, which plain integer boxes cannot for small sigma.
struct Box
{
    int r = 0;
    // 16.16 fixed-point weights of the inner samples and of the two ends.
    uint32_t inner = 0;
    uint32_t ends = 0;
    bool identity = true;
};

Box boxFor(double sigma)
{
    Box box;
    if (!(sigma >= 0.25))
        return box;
    const double v = sigma * sigma / kPasses;
    box.r = int(std::floor(0.5 * std::sqrt(12 * v + 1) - 0.5));
    const double r = box.r;
    const double alpha = (2 * r + 1) * (r * (r + 1) - 3 * v) / (6 * (v - (r + 1) * (r + 1)));
    const double length = 2 * r + 1 + 2 * alpha;
    box.inner = uint32_t(std::lround(65536.0 / length));
    box.ends = uint32_t(std::lround(65536.0 * alpha / length));
    box.identity = false;
    return box;
}

inline uint8_t weigh(uint32_t sum, uint32_t ends, const Box& b)
{
    return uint8_t(std::min<uint32_t>(255, (sum * b.inner + ends * b.ends + 32768) >> 16));
}

// One pass along a row. `pad` holds the row at offset r + 1 with zeros on
// both sides (length n + 2r + 2).
void boxRow(const uint8_t* pad, uint8_t* out, int n, const Box& b)
{
    const int w = 2 * b.r + 1;
    uint32_t sum = 0;
    for (int i = 1; i <= w; ++i)
        sum += pad[i];
    for (int x = 0; x < n; ++x) {
        out[x] = weigh(sum, uint32_t(pad[x]) + pad[x + w + 1], b);
        sum += uint32_t(pad[x + w + 1]) - pad[x + 1];
    }
}

// Positions x where the row's value changes (row[x] != row[x - 1]), counting
// the zeros beyond both ends: 0 when the row starts non-zero, `n` when it
// ends non-zero.
void findChanges(const uint8_t* row, int n, std::vector<int>& changes)
{
    changes.clear();
    if (row[0] != 0)
        changes.push_back(0);
    int x = 1;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight neighbours at a time; plain runs are skipped quickly.
        while (x + 8 <= n) {
            uint64_t here, before;
            std::memcpy(&here, row + x, 8);
            std::memcpy(&before, row + x - 1, 8);
            const uint64_t diff = here ^ before;
            if (!diff) {
                x += 8;
                continue;
            }
            const int k = std::countr_zero(diff) / 8;
            changes.push_back(x + k);
            x += k + 1;
        }
    }
    for (; x < n; ++x) {
        if (row[x] != row[x - 1])
            changes.push_back(x);
    }
    if (row[n - 1] != 0)
        changes.push_back(n);
}

// Three passes over `length` values held in a at offset `margin`; the
// answer ends up in a. Both buffers have room for the zero margins.
void boxPasses(std::vector<uint8_t>& a, std::vector<uint8_t>& b, int length, int margin,
               const Box& box)
{
    for (int pass = 0; pass < kPasses; ++pass) {
        std::memset(a.data(), 0, size_t(margin));
        std::memset(a.data() + margin + length, 0, size_t(margin));
        boxRow(a.data(), b.data() + margin, length, box);
        std::swap(a, b);
    }
}

// Blurs each row. Output differs from input only within reach of a change
// of value, so only those stretches (with a reach of context on each side)
// are computed; plain runs, such as the inside of a shape, are left as
// they are. A row equal to the one before gets the same answer.
void blurRows(QImage& image, const Box& b)
{
    const int width = image.width();
    const int margin = b.r + 1;
    const int reach = kPasses * margin;
    // A stretch is computed over a reach of context on each side, which
    // may lie beyond the row (zeros there), so that intermediate passes
    // keep what spreads past the ends.
    std::vector<uint8_t> padA(size_t(width) + 4 * reach + 2 * margin, 0);
    std::vector<uint8_t> padB(padA.size(), 0);
    std::vector<uint8_t> out(size_t(width), 0);
    std::vector<uint8_t> previousIn(size_t(width), 0);
    std::vector<int> changes;
    bool havePrevious = false;
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* row = image.scanLine(y);
        if (havePrevious && std::memcmp(row, previousIn.data(), size_t(width)) == 0) {
            std::memcpy(row, out.data(), size_t(width));
            continue;
        }
        std::memcpy(previousIn.data(), row, size_t(width));
        havePrevious = true;
        std::memcpy(out.data(), row, size_t(width));
        findChanges(row, width, changes);
        for (size_t i = 0; i < changes.size();) {
            const int from = std::max(0, changes[i] - reach);
            int to = std::min(width, changes[i] + reach);
            for (++i; i < changes.size() && changes[i] - reach <= to; ++i)
                to = std::min(width, changes[i] + reach);
            const int first = from - reach;
            const int length = to + reach - first;
            uint8_t* segment = padA.data() + margin;
            std::memset(segment, 0, size_t(length));
            const int copyFrom = std::max(0, first), copyTo = std::min(width, first + length);
            std::memcpy(segment + (copyFrom - first), row + copyFrom, size_t(copyTo - copyFrom));
            boxPasses(padA, padB, length, margin, b);
            std::memcpy(out.data() + from, padA.data() + margin + reach, size_t(to - from));
        }
        std::memcpy(row, out.data(), size_t(width));
    }
}

// The column loops below are written for the vectoriser: no branches, no
// aliasing between rows.
void addRow(uint32_t* __restrict sums, const uint8_t* __restrict row, int width)
{
    for (int x = 0; x < width; ++x)
        sums[x] += row[x];
}

void subtractRow(uint32_t* __restrict sums, const uint8_t* __restrict row, int width)
{
    for (int x = 0; x < width; ++x)
        sums[x] -= row[x];
}

void weighRow(uint8_t* __restrict dst, const uint32_t* __restrict sums, const uint8_t* above,
              const uint8_t* below, int width, const Box& b)
{
    const uint32_t inner = b.inner, ends = b.ends;
    for (int x = 0; x < width; ++x) {
        const uint32_t v = (sums[x] * inner + (uint32_t(above[x]) + below[x]) * ends + 32768) >> 16;
        dst[x] = uint8_t(v < 255 ? v : 255);
    }
}

// A band of columns: `width` columns starting at column `x` of an image
// whose row -top is its first row.
struct Columns
{
    int x = 0;
    int top = 0;
};

// One pass down `width` columns, all of them at once so that memory is read
// row by row. A window of identical rows leaves its middle row unchanged.
// `in` holds the image's rows from row -inAt.top on, `out` receives them
// from row -outAt.top on; rows that `in` does not hold are zero.
void boxColumns(const QImage& in, Columns inAt, QImage& out, Columns outAt, int width, const Box& b)
{
    const int inTop = inAt.top, outTop = outAt.top;
    const int first = -inTop, last = in.height() - inTop; // rows held: [first, last)
    const int r = b.r;
    // runStart[i]: the first row (index into `in`) of the run of identical
    // rows holding row i.
    std::vector<int> runStart(size_t(in.height()), 0);
    for (int i = 1; i < in.height(); ++i)
        runStart[i] = std::memcmp(in.constScanLine(i) + inAt.x, in.constScanLine(i - 1) + inAt.x,
                                  size_t(width))
                == 0
            ? runStart[i - 1]
            : i;
    auto identical = [&](int lo, int hi) {
        return lo >= first && hi < last && runStart[hi + inTop] <= lo + inTop;
    };
    const std::vector<uint8_t> zeros(static_cast<size_t>(width), 0);
    auto row = [&](int y) {
        return y >= first && y < last ? in.constScanLine(y + inTop) + inAt.x : zeros.data();
    };

    const int top = -outTop;
    std::vector<uint32_t> sums(static_cast<size_t>(width), 0);
    for (int j = top - r; j <= top + r; ++j) {
        if (j >= first && j < last)
            addRow(sums.data(), row(j), width);
    }
    for (int y = top; y < top + out.height(); ++y) {
        uint8_t* dst = out.scanLine(y + outTop) + outAt.x;
        if (identical(y - r - 1, y + r + 1))
            std::memcpy(dst, row(y), size_t(width));
        else
            weighRow(dst, sums.data(), row(y - r - 1), row(y + r + 1), width, b);
        const int enter = y + r + 1, leave = y - r;
        if (identical(leave, enter))
            continue;
        if (enter >= first && enter < last)
            addRow(sums.data(), row(enter), width);
        if (leave >= first && leave < last)
            subtractRow(sums.data(), row(leave), width);
    }
}

} // namespace

int blurReach(double sigma)
{
    const Box b = boxFor(sigma);
    return b.identity ? 0 : kPasses * (b.r + 1);
}

void blurAlpha(QImage& coverage, double sigma)
{
    if (coverage.isNull()
        || (coverage.format() != QImage::Format_Alpha8
            && coverage.format() != QImage::Format_Grayscale8))
        return;
    const Box b = boxFor(sigma);
    if (b.identity)
        return;
    blurRows(coverage, b);
    // Each column pass spreads one box further; the intermediate images keep
    // the rows above and below the image that the later passes still read.
    // Columns are independent, so they go through in bands: the intermediate
    // images of a tall shadow stay small.
    constexpr int kBand = 256;
    const int m = b.r + 1;
    const int w = coverage.width(), h = coverage.height();
    const int band = std::min(w, kBand);
    QImage first(band, h + 4 * m, coverage.format());
    QImage second(band, h + 2 * m, coverage.format());
    if (first.isNull() || second.isNull())
        return;
    for (int x = 0; x < w; x += band) {
        const int n = std::min(band, w - x);
        boxColumns(coverage, { x, 0 }, first, { 0, 2 * m }, n, b);
        boxColumns(first, { 0, 2 * m }, second, { 0, m }, n, b);
        boxColumns(second, { 0, m }, coverage, { x, 0 }, n, b);
    }
}

SolidSpans solidSpans(const QImage& coverage)
{
    SolidSpans solid;
    solid.rowStart.reserve(size_t(coverage.height()) + 1);
    const int w = coverage.width();
    for (int y = 0; y < coverage.height(); ++y) {
        solid.rowStart.push_back(solid.spans.size());
        const uint8_t* row = coverage.constScanLine(y);
        for (int x = 0; x < w;) {
            while (x < w && row[x] != 255)
                ++x;
            const int start = x;
            while (x < w && row[x] == 255)
                ++x;
            if (x > start)
                solid.spans.emplace_back(start, x);
        }
    }
    solid.rowStart.push_back(solid.spans.size());
    return solid;
}

void clearWhereSolid(QImage& coverage, const SolidSpans& solid, QPoint offset)
{
    const int w = coverage.width(), h = coverage.height();
    const int rows = int(solid.rowStart.size()) - 1;
    for (int y = std::max(0, -offset.y()); y < h; ++y) {
        const int sy = y + offset.y();
        if (sy >= rows)
            break;
        uint8_t* dst = coverage.scanLine(y);
        for (size_t i = solid.rowStart[sy]; i < solid.rowStart[sy + 1]; ++i) {
            const int from = std::max(0, solid.spans[i].first - offset.x());
            const int to = std::min(w, solid.spans[i].second - offset.x());
            if (to > from)
                std::memset(dst + from, 0, size_t(to - from));
        }
    }
}

void markUsedColumns(const QImage& coverage, int y0, int y1, uchar* used)
{
    const int w = coverage.width();
    std::memset(used, 0, size_t(w));
    for (int y = y0; y < y1; ++y) {
        const uint8_t* __restrict row = coverage.constScanLine(y);
        uint8_t* __restrict mark = used;
        for (int x = 0; x < w; ++x)
            mark[x] |= row[x];
    }
}

} // namespace kit
