#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"

#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using kit::Point;
using kit::Rect;
using testsupport::pixelYUp;
using testsupport::sameColor;

namespace {

// A 1024 × 768 canvas as the root of a window; window and canvas
// coordinates coincide, the container starts at (4, 4).
class FreeCanvasTest : public ::testing::Test
{
protected:
    FreeCanvasTest()
    {
        m_window.setContentSize({ 1024, 768 });
        m_window.setRootView(std::make_unique<KLFreeLayoutView>());
        canvas().onUnreadablePhotos = [this](const QStringList& failures) {
            m_failures += failures;
        };
    }
    KLFreeLayoutView& canvas() { return static_cast<KLFreeLayoutView&>(*m_window.rootView()); }
    QString photo(const QString& name, QColor c)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(testsupport::writeImage(testsupport::solidImage({ 40, 30 }, c), path));
        return path;
    }
    static kit::Image pixels(QColor c, QSize size = { 40, 30 })
    {
        return testsupport::solidPhoto(size, c);
    }

    QTemporaryDir m_dir;
    kit::Window m_window;
    QStringList m_failures;
};

} // namespace

TEST_F(FreeCanvasTest, DropTakesTheFirstFileCentredOnThePointer)
{
    testsupport::NotificationRecorder rec(kit::kTextViewUnselected, kit::kFreeLayoutItemSelected);
    const kit::DragInfo drop { { 300, 500 },
                               { photo("a.png", Qt::red), photo("b.png", Qt::green),
                                 photo("c.png", Qt::blue) },
                               true };
    EXPECT_EQ(m_window.draggingEntered(drop), kit::DragOperation::Copy);
    EXPECT_TRUE(m_window.performDrop(drop));
    ASSERT_EQ(canvas().items().size(), 1u);
    KLFreeLayoutItem* item = canvas().items().front();
    EXPECT_TRUE(testsupport::pointNear(item->frame().centre(), { 296, 496 }));
    EXPECT_FLOAT_EQ(item->scale(), 0.5f);
    EXPECT_EQ(m_window.firstResponder(), item);
    EXPECT_EQ(rec.names(),
              QStringList({ kit::kTextViewUnselected.toString(),
                            kit::kFreeLayoutItemSelected.toString() }));
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(canvas()), 300, 500), Qt::red));

    // Not a picture, or a folder: named to the person, nothing added, the
    // drop refused.
    const QString text = testsupport::writeFile(m_dir.filePath("notes.txt"), "hello");
    EXPECT_FALSE(m_window.performDrop({ { 300, 300 }, { text }, true }));
    EXPECT_EQ(canvas().items().size(), 1u);
    EXPECT_FALSE(m_window.performDrop({ { 300, 300 }, { m_dir.path() }, true }));
    EXPECT_EQ(canvas().items().size(), 1u);
    ASSERT_EQ(m_failures.size(), 2);
    EXPECT_TRUE(m_failures.front().contains(text));
    EXPECT_TRUE(m_failures.back().contains(m_dir.path()));
    EXPECT_FALSE(m_window.performDrop({ { 300, 300 }, {}, true }));
}

TEST_F(FreeCanvasTest, SelectionDeselectionAndRemoval)
{
    canvas().addPhotos({ pixels(Qt::red), pixels(Qt::green) });
    KLFreeLayoutItem* first = canvas().items()[0];
    KLFreeLayoutItem* second = canvas().items()[1];
    testsupport::NotificationRecorder rec(kit::kTextViewUnselected);

    // A click beside every print, and Escape, leave nothing selected.
    m_window.mouseDown({ { 20, 20 }, 1, {} });
    m_window.mouseUp({ { 20, 20 }, 1, {} });
    EXPECT_EQ(m_window.firstResponder(), &canvas());
    EXPECT_EQ(rec.count(kit::kTextViewUnselected), 1);
    m_window.mouseDown({ { 260, 384 }, 1, {} });
    m_window.mouseUp({ { 260, 384 }, 1, {} });
    EXPECT_EQ(m_window.firstResponder(), first);
    // The selection marks are the screen's: an export shows none.
    const QImage exported = kit::renderToImage(canvas());
    m_window.keyDown({ kit::KeyCode::Escape, {}, {} });
    EXPECT_EQ(m_window.firstResponder(), &canvas());
    EXPECT_TRUE(exported == kit::renderToImage(canvas()));

    // Delete takes the selected print off the canvas and out of the list.
    m_window.mouseDown({ { 260, 384 }, 1, {} });
    m_window.mouseUp({ { 260, 384 }, 1, {} });
    m_window.keyDown({ kit::KeyCode::Delete, {}, {} });
    ASSERT_EQ(canvas().items().size(), 1u);
    EXPECT_EQ(canvas().items().front(), second);
    EXPECT_EQ(canvas().boundView()->subviews().size(), 1u);

    // A print of another canvas is not this canvas's to remove.
    KLFreeLayoutView other({ 0, 0, 400, 400 });
    other.addPhotos({ pixels(Qt::blue) });
    canvas().layoutItemDeleted(other.items().front());
    EXPECT_EQ(canvas().items().size(), 1u);
    EXPECT_EQ(other.items().size(), 1u);
}

TEST_F(FreeCanvasTest, CompositionKeepsItsPlaceAtAnySize)
{
    // Three prints, one turned, one scaled: the canvas at the window's size
    // and at an export size three times larger show the same picture.
    canvas()._setHasShadow(false);
    canvas().addPhotos({ pixels(Qt::red, { 60, 30 }), pixels(Qt::green), pixels(Qt::blue) });
    KLFreeLayoutItem* turned = canvas().items()[1];
    turned->setPlacement({ 700, 500 }, 0.3f, 30);
    canvas().items()[2]->setPlacement({ 250, 200 }, 0.2f, 0);
    canvas().clearResponder();

    // Places and widths as fractions of the container. The container's
    // inset is fixed, so its ratio changes a little with the size; a print
    // keeps its corner's place exactly, its centre within a thousandth.
    auto relative = [this](const KLFreeLayoutItem* item) {
        const kit::Size area = canvas().boundView()->bounds().size;
        const Rect f = item->frame();
        return Rect(f.midX() / area.width, f.midY() / area.height,
                    item->unrotatedFrame().width() / area.width, 0);
    };
    std::vector<Rect> before;
    for (KLFreeLayoutItem* item : canvas().items())
        before.push_back(relative(item));
    const QImage small = kit::renderToImage(canvas()).copy(4, 4, 1016, 760);
    canvas().setFrame({ 0, 0, 3072, 2304 });
    const QImage large = kit::renderToImage(canvas()).copy(4, 4, 3064, 2296);

    for (size_t i = 0; i < before.size(); ++i) {
        const Rect now = relative(canvas().items()[i]);
        EXPECT_NEAR(now.x(), before[i].x(), 1e-3);
        EXPECT_NEAR(now.y(), before[i].y(), 1e-3);
        EXPECT_NEAR(now.width(), before[i].width(), 1e-6);
    }
    EXPECT_DOUBLE_EQ(turned->frameRotation(), 30);

    // Away from edges and shadows (whose blur does not grow with the
    // canvas), both show the same colour.
    const QImage reduced =
        large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto uniformAround = [&](int x, int y) {
        for (int dy = -4; dy <= 4; ++dy) {
            for (int dx = -4; dx <= 4; ++dx) {
                if (!sameColor(small.pixelColor(x + dx, y + dy), small.pixelColor(x, y), 2))
                    return false;
            }
        }
        return true;
    };
    int compared = 0;
    for (int y = 4; y < small.height() - 4; y += 6) {
        for (int x = 4; x < small.width() - 4; x += 6) {
            if (!uniformAround(x, y))
                continue;
            ++compared;
            EXPECT_TRUE(sameColor(small.pixelColor(x, y), reduced.pixelColor(x, y), 8))
                << x << "," << y;
        }
    }
    EXPECT_GT(compared, 15000);
    EXPECT_TRUE(sameColor(pixelYUp(small, 696, 496), Qt::green));
}
