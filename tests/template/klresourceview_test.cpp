#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

using testsupport::pixelYUp;
using testsupport::rectNear;
using testsupport::sameColor;

namespace {

class CanvasTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& text)
    {
        return testsupport::writeFile(m_dir.filePath(name), text);
    }
    // A picture of one colour, written as PNG.
    QString photo(const QString& name, QColor c)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(testsupport::writeImage(testsupport::solidImage({ 40, 30 }, c), path));
        return path;
    }
    std::unique_ptr<KLResourceView> canvas(const QByteArray& templateText, kit::Size size)
    {
        auto view = std::make_unique<KLResourceView>(kit::Rect { { 0, 0 }, size });
        EXPECT_TRUE(view->loadResourceFromPath(write("t.fdd", templateText)));
        return view;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CanvasTest, CellAreaAndPlateFollowTheRatio)
{
    const struct
    {
        kit::Size size;
        kit::Rect area, plate;
    } cases[] = {
        { { 640, 400 }, { 7.2, 3, 625.6, 394 }, { 9.6, 3, 620.8, 394 } },
        { { 400, 640 }, { 3, 5.76, 394, 628.48 }, { 3, 9.6, 394, 620.8 } },
    };
    for (const auto& c : cases) {
        auto view = canvas("3,2\n0,0,0.5,1:L:*\n", c.size);
        view->_setHasShadow(false);
        EXPECT_TRUE(rectNear(view->boundView()->frame(), c.area, 1e-4));
        EXPECT_TRUE(rectNear(view->plateRect(), c.plate, 1e-4));
    }
}

TEST_F(CanvasTest, FrameBorderInsetsTheCellArea)
{
    const QString border = write("b.bdr", "0.1,1,0,1\nL:0.5,0,1,1\n");
    auto view = canvas("1,1\n0,0,1,1:L:*\n", { 400, 400 });
    view->_setFrameBorder(border);
    ASSERT_TRUE(view->hasFrameBorder());
    EXPECT_TRUE(rectNear(view->boundView()->frame(), { 42.4, 46.64, 315.2, 315.2 }, 1e-4));
}

TEST_F(CanvasTest, BackgroundColourFillsPlateAndCellBands)
{
    // One bordered cell: its band takes the plate's colour, whatever the file says.
    auto view = canvas("1,1\n0,0,1,1:L,0.1,255,0,0:*\n", { 200, 200 });
    view->_setHasShadow(false);
    view->_setBackgroundView(BackgroundEntry { 1, {}, {} });
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(*view), 5, 100), Qt::black));

    // A picture is drawn once over the plate: the bands of the cells continue
    // it in phase, with no seam at a cell's edge, turned cells included.
    const auto wave = [](int v) {
        return v % 512 < 256 ? v % 512 : 511 - v % 512;
    };
    QImage ramp(160, 100, QImage::Format_RGB32);
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < ramp.width(); ++x)
            ramp.setPixelColor(x, y, QColor(wave(x * 12), wave(y * 12), 255));
    auto two = canvas("3,2\n0,0,0.5,1:L,0.1:*\n0.5,0,0.5,1:L,0.1:*\n0.2,0.3,0.3,0.4:L,0.2:*:15\n",
                      { 300, 200 });
    two->_setHasShadow(false);
    two->_setBackgroundView(BackgroundEntry { 5, kit::Image::fromPixels(ramp), "r.png" });
    for (bool corner : { false, true }) {
        two->_setHasCorner(corner);
        const QImage image = kit::renderToImage(*two);
        const kit::Rect r = corner ? two->bounds() : two->plateRect();
        QImage expected(image.size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(r.x(), image.height() - r.maxY(), r.width(), r.height()), ramp);
        painter.end();
        int worst = 0;
        for (int y = 12; y < image.height() - 12; y += 4)
            for (int x = 12; x < image.width() - 12; ++x) {
                const QColor got = image.pixelColor(x, y), want = expected.pixelColor(x, y);
                if (got.blue() < 250) // a cell's placeholder inside its mask
                    continue;
                worst = std::max({ worst, std::abs(got.red() - want.red()),
                                   std::abs(got.green() - want.green()) });
            }
        EXPECT_LE(worst, 8) << "corner " << corner;
    }
}

TEST_F(CanvasTest, RoundedCornersClipTheCells)
{
    // A full-bleed cell with a red photo; radius 640 × 0.025 = 16: the
    // corner is cut from the plate and the photo alike, a point 16 in is red.
    auto view = canvas("1,1\n0,0,1,1:L:*\n", { 640, 640 });
    view->items().front()->_setImage(testsupport::solidPhoto({ 40, 40 }, Qt::red));
    view->_setHasShadow(false);
    view->_setHasCorner(true);
    const QImage image = kit::renderToImage(*view);
    EXPECT_EQ(pixelYUp(image, 4, 4).alpha(), 0);
    EXPECT_EQ(pixelYUp(image, 636, 636).alpha(), 0);
    EXPECT_TRUE(sameColor(pixelYUp(image, 3 + 16, 3 + 16), Qt::red, 8));
}

TEST_F(CanvasTest, DroppedFilesFillTargetThenTemplateOrder)
{
    auto view =
        canvas("4,1\n0,0,0.25,1:L:*\n0.25,0,0.25,1:L:*\n0.5,0,0.25,1:L:*\n0.75,0,0.25,1:L:*\n",
               { 800, 200 });
    kit::Window window;
    window.setContentSize({ 800, 200 });
    auto* canvasPtr = view.get();
    window.setRootView(std::move(view));
    const auto& cells = canvasPtr->items();

    testsupport::NotificationRecorder recorder(kit::kLayoutImageDropped);
    const QStringList files = { photo("1.png", Qt::red), photo("2.png", Qt::green),
                                photo("3.png", Qt::blue) };
    const kit::Point onSecond = cells[1]->convertPointToView(cells[1]->bounds().centre(), nullptr);
    EXPECT_TRUE(window.performDrop({ onSecond, files, true }));

    auto colourOf = [](KLResourceItem* c) {
        return c->image()->pixels({ 1, 1 }).pixelColor(0, 0);
    };
    ASSERT_TRUE(cells[1]->image() && cells[0]->image() && cells[2]->image());
    EXPECT_EQ(colourOf(cells[1]), QColor(Qt::red));
    EXPECT_EQ(colourOf(cells[0]), QColor(Qt::green));
    EXPECT_EQ(colourOf(cells[2]), QColor(Qt::blue));
    EXPECT_FALSE(cells[3]->image());
    EXPECT_EQ(recorder.count(kit::kLayoutImageDropped), 3);
    EXPECT_EQ(window.firstResponder(), cells[1]);

    // A file that is no picture uses up its turn; the photos after it still go in.
    const QString bad = write("x.png", "not a picture");
    EXPECT_TRUE(window.performDrop({ onSecond, { bad, files[2] }, true }));
    EXPECT_EQ(colourOf(cells[1]), QColor(Qt::red));
    EXPECT_EQ(colourOf(cells[0]), QColor(Qt::blue));
}

TEST_F(CanvasTest, PanFollowsPointerUntilItLeavesTheMask)
{
    auto owned = canvas("2,1\n0,0,0.5,1:L:*\n0.5,0,0.5,1:L:*\n", { 400, 200 });
    KLResourceView* view = owned.get();
    kit::Window window;
    window.setContentSize({ 400, 200 });
    window.setRootView(std::move(owned));
    KLResourceItem* left = view->items()[0];
    left->_setImage(kit::Image::fromPixels(QImage(40, 30, QImage::Format_RGB32)));
    const double w = left->bounds().width(), h = left->bounds().height();

    window.mouseDown({ { 50, 100 }, 1, {} });
    EXPECT_EQ(window.firstResponder(), left);
    window.mouseDragged({ { 60, 90 }, 1, {} });
    EXPECT_NEAR(left->imagePosition().x * w, 10, 1e-9);
    EXPECT_NEAR(left->imagePosition().y * h, -10, 1e-9);

    // Into the right cell: the pan ends and does not resume on return.
    window.mouseDragged({ { 300, 100 }, 1, {} });
    window.mouseDragged({ { 80, 100 }, 1, {} });
    EXPECT_NEAR(left->imagePosition().x * w, 10, 1e-9);
    window.mouseUp({ { 80, 100 }, 1, {} });

    // The wheel zooms the selected cell's photo 0.1 a notch; fine wheels and
    // touchpads add up to notches; sideways and elsewhere it is not used.
    const float before = left->imageScale();
    const struct
    {
        double dx, dy;
        bool used;
        float scale;
    } wheel[] = { { 0, 1, true, 0.1f },  { 0, -0.25, true, 0.1f }, { 0, -0.5, true, 0.1f },
                  { 0, -0.25, true, 0 }, { 0, 0.5, true, 0 },      { 0, 0, false, 0 },
                  { 1, 0.2, false, 0 } };
    for (const auto& w : wheel) {
        EXPECT_EQ(window.scrollWheel({ { 50, 100 }, w.dx, w.dy, {} }), w.used) << w.dy;
        EXPECT_NEAR(left->imageScale(), before + w.scale, 1e-6) << w.dy;
    }
    // A click beside the cells deselects them: the wheel scrolls again.
    window.mouseDown({ { 200, 199 }, 1, {} });
    window.mouseUp({ { 200, 199 }, 1, {} });
    EXPECT_FALSE(window.scrollWheel({ { 50, 100 }, 0, 1, {} }));
    EXPECT_NEAR(left->imageScale(), before, 1e-6);
}

TEST_F(CanvasTest, ClickOutsideCellsSelectsNothing)
{
    auto owned = canvas("2,1\n0,0,0.5,1:B:0.5,0,1,0.5|0.5,1|0,0.5\n", { 400, 200 });
    kit::Window window;
    window.setContentSize({ 400, 200 });
    window.setRootView(std::move(owned));
    testsupport::NotificationRecorder recorder(kit::kTextViewUnselected);
    window.mouseDown({ { 10, 190 }, 1, {} }); // inside the cell's frame, outside its diamond
    EXPECT_FALSE(dynamic_cast<KLResourceItem*>(window.firstResponder()));
    EXPECT_TRUE(recorder.posts().empty());
}

TEST_F(CanvasTest, ExportWritesUprightPhotosAtTheFrameSize)
{
    // Quadrants as seen on screen: red upper left, green upper right, blue
    // lower left, yellow lower right.
    auto view = canvas("1,1\n0,0,1,1:L:*\n", { 300, 300 });
    view->_setHasShadow(false);
    view->items().front()->_setImage(
        kit::Image::fromPixels(testsupport::quadrants({ 60, 60 }, Qt::yellow)));
    view->items().front()->_setImageScale(1);
    view->resetAllImagesPosition();

    const QString out = m_dir.filePath("out.png");
    QString error;
    ASSERT_TRUE(view->saveToURL(out, kit::ImageFormat::Png, &error)) << error.toStdString();
    QImage written(out);
    ASSERT_EQ(written.size(), QSize(300, 300));
    EXPECT_TRUE(sameColor(pixelYUp(written, 75, 225), Qt::red));
    EXPECT_TRUE(sameColor(pixelYUp(written, 225, 225), Qt::green));
    EXPECT_TRUE(sameColor(pixelYUp(written, 75, 75), Qt::blue));
    EXPECT_TRUE(sameColor(pixelYUp(written, 225, 75), Qt::yellow));
}

TEST_F(CanvasTest, LoadFailuresAndClear)
{
    auto view = canvas("1,1\n0,0,1,1:L:*\n", { 200, 200 });
    view->items().front()->_setImage(kit::Image::fromPixels(QImage(4, 4, QImage::Format_RGB32)));
    view->_setBackgroundView(BackgroundEntry { 1, {}, {} });

    QString error;
    EXPECT_FALSE(view->loadResourceFromPath(m_dir.filePath("none.fdd"), &error));
    EXPECT_EQ(view->items().size(), 1u); // a missing file changes nothing
    EXPECT_FALSE(error.isEmpty());

    view->clear();
    EXPECT_FALSE(view->items().front()->image());
    EXPECT_FALSE(view->backgroundView());

    EXPECT_FALSE(view->loadResourceFromPath(write("bad.fdd", "600\n0,0,1,1:L:*\n"), &error));
    EXPECT_TRUE(view->items().empty()); // a malformed file leaves no cells
}
