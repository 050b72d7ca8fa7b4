#include "kit/graphicscontext.h"
#include "kit/render.h"
#include "kit/view.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <cmath>

using kit::Point;
using kit::Rect;
using kit::View;
using testsupport::pixelYUp;
using testsupport::pointNear;
using testsupport::rectNear;
using testsupport::sameColor;

namespace {

// Fills `area` (bounds coordinates; the whole bounds when empty) with a colour.
class Swatch : public View
{
public:
    Swatch(const Rect& frame, QColor color, Rect area = {})
        : View(frame), m_color(color), m_area(area)
    { }
    void drawRect(kit::GraphicsContext& gc, const Rect&) override
    {
        gc.setColor(m_color);
        gc.fillRect(m_area.isEmpty() ? bounds() : m_area);
    }

private:
    QColor m_color;
    Rect m_area;
};

class Unclipped : public Swatch
{
public:
    using Swatch::Swatch;
    bool clipsToBounds() const override { return false; }
};

const QColor red(255, 0, 0);
const QColor blue(0, 0, 255);
const QColor clear(0, 0, 0, 0);

} // namespace

TEST(View, RenderScalesToPixelSizes)
{
    Swatch view({ 0, 0, 100, 50 }, red, { 0, 0, 50, 25 }); // the lower left quarter
    const QImage twice = kit::renderToImage(view, 2.0);
    ASSERT_EQ(twice.size(), QSize(200, 100));
    EXPECT_TRUE(sameColor(pixelYUp(twice, 99, 49), red));
    EXPECT_TRUE(sameColor(pixelYUp(twice, 100, 49), clear));
    EXPECT_TRUE(sameColor(pixelYUp(twice, 99, 50), clear));

    const QImage stretched = kit::renderToImage(view, QSize(40, 40));
    ASSERT_EQ(stretched.size(), QSize(40, 40));
    EXPECT_TRUE(sameColor(pixelYUp(stretched, 19, 19), red));
    EXPECT_TRUE(sameColor(pixelYUp(stretched, 20, 19), clear));
    EXPECT_TRUE(sameColor(pixelYUp(stretched, 19, 20), clear));

    // Unusable requests answer a null image instead of failing later.
    View empty({ 0, 0, 0, 10 });
    EXPECT_TRUE(kit::renderToImage(empty).isNull());
    EXPECT_TRUE(kit::renderToImage(view, std::nan("")).isNull());
    EXPECT_TRUE(kit::renderToImage(view, -1.0).isNull());
    EXPECT_TRUE(kit::renderToImage(view, 1e6).isNull());
    EXPECT_TRUE(kit::renderToImage(view, QSize(0, 10)).isNull());
}

TEST(View, FrameOfARotatedViewIsItsBoundingBox)
{
    const double r2 = std::sqrt(2.0);
    const struct
    {
        double degrees;
        Rect expected;
    } cases[] = {
        { 0, { 10, 20, 40, 20 } },
        { 90, { 20, 10, 20, 40 } },
        { 45, { 30 - 30 / r2, 30 - 30 / r2, 60 / r2, 60 / r2 } },
    };
    for (const auto& c : cases) {
        View v({ 10, 20, 40, 20 });
        v.setFrameRotation(c.degrees);
        EXPECT_TRUE(rectNear(v.frame(), c.expected, 1e-9)) << c.degrees;
        EXPECT_EQ(v.unrotatedFrame(), Rect(10, 20, 40, 20));
        EXPECT_EQ(v.bounds(), Rect(0, 0, 40, 20));
    }
}

TEST(View, RotatedViewIsHitWhereItIsDrawn)
{
    View root({ 0, 0, 100, 100 });
    // Red on its left half, blue on its right half, so that a wrong turn
    // direction shows even where the outline alone would agree.
    auto* child = root.addSubview(std::make_unique<Swatch>(Rect(20, 40, 60, 20), blue));
    child->addSubview(std::make_unique<Swatch>(Rect(0, 0, 30, 20), red));
    for (double degrees : { 90.0, 30.0, -120.0 }) {
        child->setFrameRotation(degrees);
        const QImage image = kit::renderToImage(root);
        int hits = 0;
        for (int y = 0; y < 100; y += 3) {
            for (int x = 0; x < 100; x += 3) {
                const QColor c = pixelYUp(image, x, y);
                if (!sameColor(c, red) && !sameColor(c, blue) && !sameColor(c, clear))
                    continue; // antialiased edge
                View* hit = root.hitTest({ x + 0.5, y + 0.5 });
                const QColor expected = !hit || hit == &root ? clear : hit == child ? blue : red;
                EXPECT_TRUE(sameColor(c, expected)) << degrees << " at " << x << "," << y;
                hits += hit && hit != &root;
            }
        }
        EXPECT_GT(hits, 80) << degrees;
    }
    // At 90 degrees the child's left end (red) is at the bottom.
    child->setFrameRotation(90);
    EXPECT_EQ(root.hitTest({ 50, 25 }), child->subviews()[0].get());
    EXPECT_EQ(root.hitTest({ 50, 75 }), child);
}

TEST(View, SubviewOrderIsStackingOrder)
{
    View root({ 0, 0, 30, 10 });
    auto* a = root.addSubview(std::make_unique<Swatch>(Rect(0, 0, 20, 10), red));
    auto* b = root.addSubview(std::make_unique<Swatch>(Rect(10, 0, 20, 10), blue));
    a->setTag(2);
    b->setTag(1);
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(root), 15, 5), blue));
    EXPECT_EQ(root.hitTest({ 15, 5 }), b);

    // Removing hands the view back; adding it again puts it on top.
    std::unique_ptr<View> taken = a->removeFromSuperview();
    EXPECT_EQ(taken.get(), a);
    EXPECT_EQ(a->superview(), nullptr);
    EXPECT_EQ(root.subviews().size(), 1u);
    EXPECT_EQ(taken->removeFromSuperview(), nullptr);
    root.addSubview(std::move(taken));
    EXPECT_EQ(a->indexInSuperview(), 1);
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(root), 15, 5), red));
    EXPECT_EQ(root.hitTest({ 15, 5 }), a);

    root.sortSubviews([](const View* x, const View* y) { return x->tag() < y->tag(); });
    EXPECT_EQ(b->indexInSuperview(), 0);
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(root), 15, 5), red));

    // Adding no view adds nothing.
    EXPECT_EQ(a->addSubview(std::unique_ptr<View>()), nullptr);
}

TEST(View, ClippingAndHiddenViews)
{
    View root({ 0, 0, 40, 40 });
    auto* clipped = root.addSubview(std::make_unique<Swatch>(Rect(0, 0, 20, 20), clear));
    clipped->addSubview(std::make_unique<Swatch>(Rect(10, 10, 20, 20), red));
    auto* open = root.addSubview(std::make_unique<Unclipped>(Rect(20, 20, 10, 10), clear));
    open->addSubview(std::make_unique<Swatch>(Rect(5, 5, 10, 10), blue));

    const QImage image = kit::renderToImage(root);
    EXPECT_TRUE(sameColor(pixelYUp(image, 15, 15), red));
    EXPECT_TRUE(sameColor(pixelYUp(image, 22, 15), clear)); // cut at the clipping bounds
    EXPECT_TRUE(sameColor(pixelYUp(image, 33, 33), blue)); // beyond a non-clipping view
    EXPECT_EQ(root.hitTest({ 22, 15 }), &root);
    EXPECT_EQ(root.hitTest({ 33, 33 }), open->subviews()[0].get());

    open->setHidden(true);
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(root), 33, 33), clear));
    EXPECT_EQ(root.hitTest({ 33, 33 }), &root);
}

TEST(View, PointConversionThroughNestedRotations)
{
    View root({ 0, 0, 200, 200 });
    auto* outer = root.addSubview(std::make_unique<View>(Rect(50, 50, 100, 100)));
    auto* inner = outer->addSubview(std::make_unique<View>(Rect(10, 20, 40, 20)));
    outer->setFrameRotation(90);

    // outer turns about (100, 100): its point (x, y) lies at (150 - y, 50 + x).
    EXPECT_TRUE(pointNear(outer->convertPointToView({ 0, 0 }, nullptr), { 150, 50 }, 1e-9));
    // Inner (5, 5) is outer (15, 25).
    EXPECT_TRUE(pointNear(inner->convertPointToView({ 5, 5 }, nullptr), { 125, 65 }, 1e-9));

    const Point samples[] = { { 0, 0 }, { 5, 5 }, { 39, 1 }, { -10, 30 } };
    for (Point p : samples) {
        const Point there = inner->convertPointToView(p, &root);
        EXPECT_TRUE(pointNear(inner->convertPointFromView(there, &root), p, 1e-9));
        EXPECT_TRUE(pointNear(outer->convertPointFromView(p, inner), { p.x + 10, p.y + 20 }, 1e-9));
    }
    EXPECT_TRUE(
        rectNear(inner->convertRectToView(inner->bounds(), nullptr), { 110, 60, 20, 40 }, 1e-9));
}
