#include "serial/klcombinview.h"

#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"
#include "text/kltextview.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using testsupport::pixelYUp;
using testsupport::rectNear;
using testsupport::sameColor;

namespace {

kit::Image photo(QSize size, QColor colour = Qt::red)
{
    return testsupport::solidPhoto(size, colour);
}

// A canvas as the root of a window, sized to its content as the editor does.
class SerialCanvasTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto owned = std::make_unique<KLCombinView>(kit::Rect { 0, 0, 500, 500 });
        canvas = owned.get();
        window.setRootView(std::move(owned));
    }
    // The frame the controller gives the canvas at width 500; then waits
    // until no layout pass is in progress.
    void fit(int photos = 0, QSize size = { 300, 300 })
    {
        const QColor colours[] = { Qt::red, Qt::green, Qt::blue };
        for (int i = 0; i < photos; ++i)
            canvas->addImage(photo(size, colours[i % 3]));
        canvas->setFrameSize({ 500, (500 - 10) / canvas->ratio() + 10 });
        window.setContentSize(canvas->bounds().size);
        settle();
    }
    // Runs the event loop until the layout animation has completed.
    void settle()
    {
        ASSERT_TRUE(testsupport::waitUntil([&] { return !canvas->layoutInProgress(); }));
    }
    void click(kit::Point p)
    {
        window.mouseDown({ p, 1, {} });
        window.mouseUp({ p, 1, {} });
    }
    using Items = std::vector<KLCombinItem*>;

    QTemporaryDir dir;
    kit::Window window;
    KLCombinView* canvas = nullptr;
};

} // namespace

TEST_F(SerialCanvasTest, ColumnOfTwoPhotosInRatioFramesAndPixels)
{
    testsupport::NotificationRecorder recorder(kit::kCombinViewUpdated, kit::kTextViewUnselected);
    EXPECT_EQ(canvas->ratio(), 1.0f);
    ASSERT_TRUE(canvas->addImage(photo({ 400, 300 }, Qt::red)));
    ASSERT_TRUE(canvas->addImage(photo({ 300, 400 }, Qt::blue)));
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 2);
    EXPECT_EQ(recorder.names().last(), kit::kTextViewUnselected.toString());
    EXPECT_NEAR(canvas->ratio(), 0.4882, 1e-4);
    EXPECT_FALSE(canvas->addImage(kit::Image())); // no pixels: refused
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 2);

    fit(); // 500 × 1013.68: the top margin equals the bottom one
    EXPECT_TRUE(rectNear(canvas->items()[0]->frame(), { 19.7, 648.53, 460.6, 345.45 }, 0.01));
    EXPECT_TRUE(rectNear(canvas->items()[1]->frame(), { 19.7, 19.7, 460.6, 614.13 }, 0.01));
    EXPECT_NEAR(canvas->bounds().height() - canvas->items()[0]->frame().maxY(), 19.7, 0.01);

    // Clearing keeps the ratio and the background, and removes the captions.
    canvas->_setBackgroundView(BackgroundEntry { 1, {}, {} });
    canvas->addTextView(QStringLiteral("caption"), canvas->textAnchor());
    canvas->clear();
    EXPECT_TRUE(canvas->items().empty() && canvas->subviews().empty());
    EXPECT_NEAR(canvas->ratio(), 0.4882, 1e-4);
    EXPECT_TRUE(canvas->backgroundView());
}

TEST_F(SerialCanvasTest, DraggingPastHalfOfANeighbourSwapsOnceUntilTheAnimationEnds)
{
    fit(3, { 400, 300 });
    const Items start = canvas->items();
    KLCombinItem* top = start[0];
    const kit::Rect slot0 = top->frame(), slot1 = start[1]->frame(), slot2 = start[2]->frame();
    // Near the photo's bottom, so that the pointer enters the next photo
    // together with the photo's bottom edge.
    const kit::Point grab { slot0.midX(), slot0.y() + 5 };
    auto dragBy = [&](double dx, double dy) {
        window.mouseDragged({ { grab.x + dx, grab.y + dy }, 1, {} });
    };
    window.mouseDown({ grab, 1, {} });
    EXPECT_EQ(window.firstResponder(), top);
    EXPECT_EQ(top->tag(), KLCombinItem::kGrabbedTag);
    EXPECT_EQ(canvas->subviews().back().get(), top);

    // The bottom edge in the upper half of the next photo: no swap; only y follows.
    dragBy(30, slot1.maxY() - 10 - slot0.y());
    EXPECT_EQ(canvas->items(), start);
    EXPECT_TRUE(rectNear(top->frame(), slot0.offsetBy(0, slot1.maxY() - 10 - slot0.y()), 1e-9));
    // In its lower half: one swap; the other photo starts sliding up.
    dragBy(0, slot1.midY() - 5 - slot0.y());
    const Items swapped = { start[1], start[0], start[2] };
    EXPECT_EQ(canvas->items(), swapped);
    EXPECT_TRUE(canvas->layoutInProgress());
    EXPECT_TRUE(rectNear(start[1]->frame(), slot1, 1e-9));
    // Into the lower half of the third photo while it slides: nothing.
    const double toThird = slot2.midY() - 5 - slot0.y();
    dragBy(0, toThird);
    EXPECT_EQ(canvas->items(), swapped);

    settle();
    EXPECT_TRUE(rectNear(start[1]->frame(), slot0, 0.01));
    EXPECT_TRUE(
        rectNear(top->frame(), slot0.offsetBy(0, toThird), 1e-9)); // still under the pointer
    dragBy(0, toThird - 1);
    EXPECT_EQ(canvas->items(), Items({ start[1], start[2], start[0] }));
    settle();
    // Released, it slides into its slot.
    window.mouseUp({ grab, 1, {} });
    EXPECT_TRUE(canvas->layoutInProgress());
    settle();
    EXPECT_TRUE(rectNear(top->frame(), slot2, 0.01));
    EXPECT_TRUE(rectNear(start[2]->frame(), slot1, 0.01));

    // Up: the top edge past half of the photo above swaps them.
    const kit::Point up { slot2.midX(), slot2.maxY() - 5 };
    window.mouseDown({ up, 1, {} });
    window.mouseDragged({ { up.x, up.y + slot1.midY() - 5 - slot2.maxY() }, 1, {} });
    EXPECT_EQ(canvas->items(), Items({ start[1], start[2], start[0] }));
    window.mouseDragged({ { up.x, up.y + slot1.midY() + 5 - slot2.maxY() }, 1, {} });
    EXPECT_EQ(canvas->items(), Items({ start[1], start[0], start[2] }));
}

TEST_F(SerialCanvasTest, DeleteKeyAndContextMenuRemoveTheirPhoto)
{
    fit(3);
    const Items start = canvas->items();
    testsupport::NotificationRecorder recorder(kit::kCombinViewUpdated, kit::kLayoutClearResponder);
    click(start[1]->frame().centre());
    ASSERT_EQ(window.firstResponder(), start[1]);
    window.keyDown({ kit::KeyCode::Down, {}, {} });
    // A click outside the photos takes the key view away; a drag from there moves nothing.
    window.mouseDown({ { 5, 5 }, 1, {} });
    EXPECT_EQ(window.firstResponder(), canvas);
    window.mouseDragged({ { 5, 300 }, 1, {} });
    window.keyDown({ kit::KeyCode::Delete, {}, {} });
    EXPECT_EQ(canvas->items(), start);

    click(start[1]->frame().centre());
    window.keyDown({ kit::KeyCode::Delete, {}, {} });
    EXPECT_EQ(canvas->items(), Items({ start[0], start[2] }));
    EXPECT_EQ(canvas->subviews().size(), 2u);
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 1);
    EXPECT_NEAR(canvas->ratio(), 500.0 / (15 + 2 * (15 + 470)), 1e-5);

    // A right click deselects everything, then the menu's one entry removes.
    std::optional<kit::Menu> shown;
    window.onPopUpMenu = [&](const kit::Menu& menu, kit::Point) {
        shown = menu;
    };
    window.rightMouseDown({ start[2]->frame().centre(), 1, {} });
    EXPECT_EQ(recorder.lastObject(kit::kLayoutClearResponder), start[2]);
    EXPECT_EQ(window.firstResponder(), canvas);
    ASSERT_TRUE(shown && shown->items.size() == 1);
    shown->items[0].action();
    EXPECT_EQ(canvas->items(), Items({ start[0] }));
    shown->items[0].action(); // the photo is gone: nothing
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 2);
    fit();
    EXPECT_TRUE(rectNear(start[0]->frame(), { 19.7, 19.7, 460.6, 460.6 }, 0.01));
}

TEST_F(SerialCanvasTest, DropsTakeTheFirstFileOnly)
{
    window.setContentSize({ 500, 500 });
    testsupport::NotificationRecorder recorder(kit::kCombinViewUpdated);
    const QStringList files = { dir.filePath("1.png"), dir.filePath("2.png"),
                                testsupport::writeFile(dir.filePath("bad.png"), {}) };
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(
            testsupport::writeImage(testsupport::solidImage({ 40, 30 }, Qt::red), files[i]));
    EXPECT_TRUE(window.performDrop({ { 250, 250 }, files, true }));
    ASSERT_EQ(canvas->items().size(), 1u);
    EXPECT_EQ(canvas->items()[0]->image().filePath(), files[0]);

    // No file: refused. A first file that is no picture: refused, nothing
    // added, the person told.
    QStringList reported;
    canvas->onUnreadablePhotos = [&](const QStringList& failures) {
        reported << failures;
    };
    EXPECT_FALSE(window.performDrop({ { 250, 250 }, {}, true }));
    EXPECT_FALSE(window.performDrop({ { 250, 250 }, { files[2], files[1] }, true }));
    EXPECT_EQ(canvas->items().size(), 1u);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(files[2]));

    // Several photos at once keep their order and update once.
    EXPECT_EQ(canvas->addImages({ photo({ 10, 10 }), kit::Image(), photo({ 10, 20 }) }), 2);
    ASSERT_EQ(canvas->items().size(), 3u);
    EXPECT_EQ(canvas->items()[2]->image().height(), 20);
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 2);
}

TEST_F(SerialCanvasTest, RoundedPlateAndCaptionsAbovePhotos)
{
    fit(1); // 500 × 500; the photo from 19.7 to 480.3
    // Without a shadow the rounded plate is not painted.
    canvas->_setHasCorner(true);
    canvas->_setHasShadow(false);
    const QImage image = kit::renderToImage(*canvas);
    EXPECT_EQ(pixelYUp(image, 10, 250).alpha(), 0);
    EXPECT_TRUE(sameColor(pixelYUp(image, 250, 250), Qt::red));

    // A caption's height is a fraction of the canvas's height, not of the
    // larger side; it stays above photos added or grabbed later.
    canvas->setFrameSize({ 500, 1000 });
    KLTextView* caption = canvas->addTextView(QStringLiteral("caption"), canvas->textAnchor());
    EXPECT_NEAR(caption->frame().height(), KLCanvasView::kCaptionHeight * 1000, 1e-9);
    canvas->addImage(photo({ 300, 300 }));
    EXPECT_EQ(canvas->subviews().back().get(), caption);
    window.mouseDown({ canvas->items()[1]->frame().centre(), 1, {} });
    EXPECT_EQ(canvas->subviews().back().get(), caption);
    EXPECT_EQ(canvas->subviews()[1].get(), canvas->items()[1]);
}
