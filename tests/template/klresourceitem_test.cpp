#include "template/klresourceitem.h"

#include "kit/graphicscontext.h"
#include "kit/render.h"
#include "kit/viewhost.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using testsupport::pixelYUp;
using testsupport::sameColor;
using testsupport::solidPhoto;

namespace {

std::unique_ptr<KLResourceItem> cell(const char* line, kit::Rect frame, int tag = 1)
{
    auto item = KLResourceItem::create(frame, QString::fromUtf8(line));
    EXPECT_TRUE(item) << line;
    if (item)
        item->setTag(tag);
    return item;
}

QColor centrePixel(KLResourceItem& item)
{
    const QImage image = kit::renderToImage(item);
    return pixelYUp(image, image.width() / 2, image.height() / 2);
}

} // namespace

TEST(KLResourceItem, FitAndDrawnSizes)
{
    // A photo covers its cell (200 × 150 in 200 × 100) and starts zoomed 1.5.
    auto item = cell("0,0,1,1:L:*", { 0, 0, 200, 100 });
    item->_setImage(solidPhoto({ 400, 300 }, Qt::red));
    EXPECT_FLOAT_EQ(item->imageScale(), 1.5f);
    EXPECT_NEAR(item->imageSize().width, 300, 1e-4);
    EXPECT_NEAR(item->imageSize().height, 225, 1e-4);

    // A NaN size is ignored; the fit follows a real resize.
    item->setFrameSize({ std::nan(""), 50 });
    EXPECT_EQ(item->bounds(), kit::Rect(0, 0, 200, 100));
    item->setFrameSize({ 400, 200 });
    EXPECT_NEAR(item->imageSize().width, 600, 1e-4);
    EXPECT_NEAR(item->imageSize().height, 450, 1e-4);
}

TEST(KLResourceItem, ZoomLimitsAndShift)
{
    auto item = cell("0,0,1,1:L:*", { 0, 0, 200, 100 });
    item->_setImage(solidPhoto({ 400, 300 }, Qt::red));
    item->_setImageScale(0.05f);
    EXPECT_FLOAT_EQ(item->imageScale(), 0.1f);

    item->_setImageScale(7);
    EXPECT_FLOAT_EQ(item->imageScale(), 6);
    const kit::Point before = item->imagePosition();
    item->keyDown({ kit::KeyCode::Up, {}, {} });
    EXPECT_FLOAT_EQ(item->imageScale(), 6);
    EXPECT_EQ(item->imagePosition(), before);
    item->keyDown({ kit::KeyCode::Down, {}, {} });
    EXPECT_FLOAT_EQ(item->imageScale(), 5.9f);
}

TEST(KLResourceItem, PlaceholderColoursAndDelete)
{
    struct Case
    {
        int tag;
        QColor colour;
    };
    for (const Case c : { Case { 1, { 176, 201, 112 } }, Case { 7, { 255, 49, 114 } },
                          Case { 8, { 176, 201, 112 } } }) {
        auto item = cell("0,0,1,1:L:*", { 0, 0, 40, 40 }, c.tag);
        EXPECT_TRUE(sameColor(centrePixel(*item), c.colour)) << c.tag;
        item->_setImage(solidPhoto({ 10, 10 }, Qt::blue));
        EXPECT_TRUE(sameColor(centrePixel(*item), Qt::blue)) << c.tag;
        item->keyDown({ kit::KeyCode::Delete, {}, {} });
        EXPECT_FALSE(item->image());
        EXPECT_TRUE(sameColor(centrePixel(*item), c.colour)) << c.tag;
    }
}

TEST(KLResourceItem, BorderBand)
{
    auto item = cell("0,0,1,1:L,0.05:*", { 200, 0, 200, 100 }, 1);
    ASSERT_TRUE(item->maskPath());
    EXPECT_EQ(item->maskPath()->bounds(), kit::Rect(10, 10, 180, 80));
    EXPECT_FLOAT_EQ(item->rborderSize(), 10);

    item->_setBorderColor(QColor(Qt::blue));
    const QImage image = kit::renderToImage(*item);
    for (QPoint q : { QPoint(5, 50), QPoint(195, 50), QPoint(100, 5), QPoint(100, 95) })
        EXPECT_TRUE(sameColor(pixelYUp(image, q.x(), q.y()), Qt::blue)) << q.x() << "," << q.y();
    EXPECT_TRUE(sameColor(pixelYUp(image, 15, 15), QColor(176, 201, 112)));
}

TEST(KLResourceItem, TextMaskRisesFromTheBaseline)
{
    auto item = cell("0,0,1,1:T:DejaVu Sans,40,Lg", { 0, 0, 300, 100 });
    ASSERT_TRUE(item->maskPath());
    const kit::Rect b = item->maskPath()->bounds();
    EXPECT_LT(b.minY(), -1) << "descender of g below the baseline";
    EXPECT_GT(b.maxY(), 50);
    EXPECT_GE(b.minX(), -1);
    // The foot of the L is at the bottom: its right end is inside the mask
    // near the baseline and outside near the top of the letter.
    const kit::Path l = KLResourceItem::makePathFromString(
        "L", *KLResourceItem::fontSizedForAreaSize({ 300, 100 }, "Lg", QFont("DejaVu Sans"), 40),
        { 0, 0 });
    const kit::Rect lb = l.bounds();
    EXPECT_TRUE(l.contains({ lb.maxX() - 2, lb.minY() + 1 }));
    EXPECT_FALSE(l.contains({ lb.maxX() - 2, lb.maxY() - 2 }));

    // An unknown family leaves the cell without a mask: never hit.
    auto unknown = cell("0,0,1,1:T:No Such Family Anywhere,40,Hi", { 0, 0, 100, 100 });
    EXPECT_FALSE(unknown->maskPath());
    EXPECT_FALSE(unknown->pointInMask({ 50, 50 }));
}

TEST(KLResourceItem, RotatedTextCellIsHitWhereItIsDrawn)
{
    kit::View root({ 0, 0, 400, 400 });
    KLResourceItem* item = root.addSubview(cell("0,0,1,1:T:DejaVu Sans,40,I,0,0,90", {}, 3));
    item->setFrameRotation(item->degree());
    item->setFrame({ 100, 150, 200, 100 });
    ASSERT_TRUE(item->maskPath());

    // A point of the upright bar of the I, in the cell and on the canvas.
    const kit::Rect bar = item->maskPath()->bounds();
    const kit::Point local(bar.midX(), 50);
    ASSERT_TRUE(item->maskPath()->contains(local));
    const kit::Point turned = item->convertPointToView(local, nullptr);
    const kit::Point unturned(100 + local.x, 150 + local.y);
    EXPECT_TRUE(item->pointInMask(turned));
    EXPECT_FALSE(item->pointInMask(unturned));

    const QImage image = kit::renderToImage(root);
    EXPECT_TRUE(sameColor(pixelYUp(image, int(turned.x), int(turned.y)), QColor(165, 218, 249)));
    EXPECT_EQ(pixelYUp(image, int(unturned.x), int(unturned.y)).alpha(), 0);
}

TEST(KLResourceItem, TextBorderOutlinesTheLetters)
{
    // A full block: one rectangle whose shrunken copy leaves a band inside it.
    auto item = cell("0,0,1,1:T,0.2:DejaVu Sans,40,\u2588", { 0, 0, 400, 200 }, 0);
    ASSERT_TRUE(item->maskPath());
    item->_setBorderColor(QColor(Qt::blue));
    const kit::Rect b = item->maskPath()->bounds().intersected(item->bounds());
    const QImage image = kit::renderToImage(*item);
    EXPECT_TRUE(sameColor(pixelYUp(image, int(b.minX() + 3), int(b.midY())), Qt::blue));
    EXPECT_TRUE(sameColor(pixelYUp(image, int(b.midX()), int(b.midY())), QColor(255, 49, 114)));
    EXPECT_EQ(pixelYUp(image, int(b.maxX() + 3), int(b.midY())).alpha(), 0)
        << "no band outside the letters";
}

// The clicked cell shows the platform's ring along the inside of its mask on
// screen; renders (exports) never show it, nor does a rotated cell.
TEST(KLResourceItem, FirstResponderShowsItsRingOnScreenOnly)
{
    kit::ViewHost host;
    host.resize(300, 100);
    auto root = std::make_unique<kit::View>(kit::Rect { 0, 0, 300, 100 });
    KLResourceItem* square = root->addSubview(cell("0,0,1,1:L:*", { 0, 0, 100, 100 }, 2));
    KLResourceItem* triangle =
        root->addSubview(cell("0,0,1,1:L:0,0,1,0,0.5,1", { 100, 0, 100, 100 }, 3));
    KLResourceItem* turned =
        root->addSubview(cell("0,0,1,1:T:DejaVu Sans,40,I,0,0,90", { 200, 0, 100, 100 }, 4));
    kit::View* rootView = root.get();
    host.viewWindow()->setRootView(std::move(root));

    const QColor ring = kit::GraphicsContext::focusRingColor();
    auto shot = [&] {
        return host.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QColor squareFill = KLResourceItem::placeholderColor(2);

    ASSERT_TRUE(host.viewWindow()->makeFirstResponder(square));
    QImage image = shot();
    for (QPoint edge : { QPoint(1, 50), QPoint(98, 50), QPoint(50, 1), QPoint(50, 98) })
        EXPECT_TRUE(sameColor(pixelYUp(image, edge.x(), edge.y()), ring, 8))
            << edge.x() << "," << edge.y();
    EXPECT_TRUE(sameColor(pixelYUp(image, 50, 50), squareFill));
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(*rootView), 1, 50), squareFill));

    // The ring follows the slanted sides of the mask, and leaves the old cell.
    ASSERT_TRUE(host.viewWindow()->makeFirstResponder(triangle));
    image = shot();
    EXPECT_TRUE(sameColor(pixelYUp(image, 1, 50), squareFill));
    EXPECT_TRUE(sameColor(pixelYUp(image, 100 + 25 + 2, 50), ring, 8));
    EXPECT_TRUE(sameColor(pixelYUp(image, 100 + 50, 50), KLResourceItem::placeholderColor(3)));

    ASSERT_TRUE(host.viewWindow()->makeFirstResponder(turned));
    image = shot();
    for (int x = 200; x < 300; ++x)
        for (int y = 0; y < 100; ++y)
            ASSERT_FALSE(sameColor(pixelYUp(image, x, y), ring, 8)) << x << "," << y;
}
