#include "kit/alphablur.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(AlphaBlur, SpreadsLikeAGaussianOfTheGivenSigma)
{
    for (double sigma : { 0.8, 2.0, 4.0, 9.0 }) {
        SCOPED_TRACE(sigma);
        // A vertical line, tall enough that the middle row sees no ends.
        QImage line(121, 121, QImage::Format_Alpha8);
        line.fill(0);
        for (int y = 0; y < line.height(); ++y)
            line.scanLine(y)[60] = 255;
        kit::blurAlpha(line, sigma);
        double total = 0, moment = 0;
        const uchar* row = line.constScanLine(60);
        for (int x = 0; x < line.width(); ++x) {
            total += row[x];
            moment += row[x] * (x - 60.0) * (x - 60.0);
        }
        EXPECT_NEAR(total, 255, 255 * 0.06);
        EXPECT_NEAR(std::sqrt(moment / total), sigma, sigma * 0.1);
        EXPECT_EQ(row[60 + kit::blurReach(sigma) + 1], 0);
        // Nothing spreads along the line.
        EXPECT_EQ(line.constScanLine(40)[60], row[60]);
    }
}
