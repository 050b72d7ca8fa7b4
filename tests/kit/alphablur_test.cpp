#include "kit/alphablur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Direct separable Gaussian in doubles, zeros outside, as the reference.
std::vector<double> gaussianBlurred(const QImage& in, double sigma)
{
    const int w = in.width(), h = in.height(), k = int(std::ceil(4 * sigma));
    std::vector<double> weights(2 * k + 1);
    double total = 0;
    for (int i = -k; i <= k; ++i)
        total += weights[i + k] = std::exp(-i * i / (2 * sigma * sigma));
    for (double& wt : weights)
        wt /= total;
    std::vector<double> rows(size_t(w) * h, 0), out(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int i = -k; i <= k; ++i)
                if (x + i >= 0 && x + i < w)
                    rows[y * w + x] += weights[i + k] * in.constScanLine(y)[x + i];
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int i = -k; i <= k; ++i)
                if (y + i >= 0 && y + i < h)
                    out[y * w + x] += weights[i + k] * rows[(y + i) * w + x];
    return out;
}

} // namespace

TEST(AlphaBlur, MatchesAGaussianOverShapesEdgesAndPlainRuns)
{
    // Plain runs and repeated rows take the short cuts; edges, a ramp and
    // shapes cut by the image border take the full computation. The second
    // disc straddles the seam between two bands of columns.
    QImage shapes(300, 120, QImage::Format_Alpha8);
    shapes.fill(0);
    for (int y = 0; y < shapes.height(); ++y) {
        uchar* row = shapes.scanLine(y);
        for (int x = 0; x < shapes.width(); ++x) {
            const bool rect = x >= 10 && x < 70 && y >= 20 && y < 90;
            const bool disc = (x - 120) * (x - 120) + (y - 60) * (y - 60) < 900
                || (x - 256) * (x - 256) + (y - 50) * (y - 50) < 600;
            const bool border = x < 3 || y >= 117;
            row[x] = rect || disc || border ? 255 : (x > 80 && x < 90 ? uchar(x * 2) : 0);
        }
    }
    for (double sigma : { 1.5, 5.0 }) {
        SCOPED_TRACE(sigma);
        QImage blurred = shapes.copy();
        kit::blurAlpha(blurred, sigma);
        const std::vector<double> expected = gaussianBlurred(shapes, sigma);
        int worst = 0;
        for (int y = 0; y < shapes.height(); ++y)
            for (int x = 0; x < shapes.width(); ++x)
                worst = std::max(worst,
                                 int(std::lround(std::abs(blurred.constScanLine(y)[x]
                                                          - expected[y * shapes.width() + x]))));
        EXPECT_LE(worst, 8); // three boxes approximate the Gaussian to a few levels
    }
}
