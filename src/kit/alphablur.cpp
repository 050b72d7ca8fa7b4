#include "alphablur.h"

#include <algorithm>
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

void blurRows(QImage& image, const Box& b)
{
    const int width = image.width();
    const int margin = b.r + 1;
    std::vector<uint8_t> padA(size_t(width) + 2 * margin, 0);
    std::vector<uint8_t> padB(padA.size(), 0);
    std::vector<uint8_t> previousIn(size_t(width), 0);
    std::vector<uint8_t> previousOut(size_t(width), 0);
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* row = image.scanLine(y);
        if (y > 0 && std::memcmp(row, previousIn.data(), size_t(width)) == 0) {
            std::memcpy(row, previousOut.data(), size_t(width));
            continue;
        }
        std::memcpy(previousIn.data(), row, size_t(width));
        std::memcpy(padA.data() + margin, row, size_t(width));
        for (int pass = 0; pass < kPasses; ++pass) {
            uint8_t* out = pass + 1 == kPasses ? row : padB.data() + margin;
            boxRow(padA.data(), out, width, b);
            if (out != row)
                std::swap(padA, padB);
        }
        std::memcpy(previousOut.data(), row, size_t(width));
    }
}

// One pass down the columns, all columns at once so that memory is read
// row by row. A window of identical rows leaves its middle row unchanged.
void boxColumns(const QImage& in, QImage& out, const Box& b)
{
    const int width = in.width();
    const int height = in.height();
    const int r = b.r;
    // runStart[y]: the first row of the run of identical rows holding y.
    std::vector<int> runStart(size_t(height), 0);
    for (int y = 1; y < height; ++y)
        runStart[y] = std::memcmp(in.constScanLine(y), in.constScanLine(y - 1), size_t(width)) == 0
            ? runStart[y - 1]
            : y;
    auto identical = [&](int lo, int hi) {
        return lo >= 0 && hi < height && runStart[hi] <= lo;
    };

    std::vector<uint32_t> sums(size_t(width), 0);
    for (int j = 0; j <= std::min(r, height - 1); ++j) {
        const uint8_t* row = in.constScanLine(j);
        for (int x = 0; x < width; ++x)
            sums[x] += row[x];
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* dst = out.scanLine(y);
        if (identical(y - r - 1, y + r + 1)) {
            std::memcpy(dst, in.constScanLine(y), size_t(width));
        } else {
            const int above = y - r - 1, below = y + r + 1;
            const uint8_t* a = above >= 0 ? in.constScanLine(above) : nullptr;
            const uint8_t* c = below < height ? in.constScanLine(below) : nullptr;
            for (int x = 0; x < width; ++x) {
                const uint32_t ends = (a ? a[x] : 0u) + (c ? c[x] : 0u);
                dst[x] = weigh(sums[x], ends, b);
            }
        }
        const int enter = y + r + 1, leave = y - r;
        if (identical(leave, enter))
            continue;
        if (enter < height) {
            const uint8_t* row = in.constScanLine(enter);
            for (int x = 0; x < width; ++x)
                sums[x] += row[x];
        }
        if (leave >= 0) {
            const uint8_t* row = in.constScanLine(leave);
            for (int x = 0; x < width; ++x)
                sums[x] -= row[x];
        }
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
    QImage other(coverage.size(), coverage.format());
    if (other.isNull())
        return;
    QImage* from = &coverage;
    QImage* to = &other;
    for (int pass = 0; pass < kPasses; ++pass) {
        boxColumns(*from, *to, b);
        std::swap(from, to);
    }
    if (from != &coverage)
        coverage.swap(*from);
}

} // namespace kit
