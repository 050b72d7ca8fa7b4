#include "serial/combinlayout.h"
#include "serial/klcombinitem.h"
#include "serial/klcombinview.h"

#include "border/backgroundentry.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"
#include "text/kltextview.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

using testsupport::pixelYUp;
using testsupport::sameColor;

namespace {

kit::Image photo(QSize size, QColor colour)
{
    QImage pixels(size, QImage::Format_RGB32);
    pixels.fill(colour);
    return kit::Image::fromPixels(pixels);
}

void expectRect(const kit::Rect& r, const kit::Rect& expected, double tolerance = 0.01)
{
    EXPECT_NEAR(r.x(), expected.x(), tolerance);
    EXPECT_NEAR(r.y(), expected.y(), tolerance);
    EXPECT_NEAR(r.width(), expected.width(), tolerance);
    EXPECT_NEAR(r.height(), expected.height(), tolerance);
}

// Runs the event loop until `done()` holds or five seconds pass.
template<class Done> bool waitUntil(Done done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
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
    // The frame the controller gives the canvas at width 500.
    void fitHeight()
    {
        canvas->setFrameSize({ 500, (500 - 10) / canvas->ratio() + 10 });
        window.setContentSize(canvas->bounds().size);
    }
    void settle()
    {
        ASSERT_TRUE(waitUntil([this] { return !canvas->layoutInProgress(); }));
    }
    kit::Point centreOf(const KLCombinItem* item) const { return item->frame().centre(); }
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString photoFile(const QString& name, QColor colour)
    {
        QImage pixels(40, 30, QImage::Format_RGB32);
        pixels.fill(colour);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(pixels.save(path));
        return path;
    }

    QTemporaryDir dir;
    kit::Window window;
    KLCombinView* canvas = nullptr;
};

} // namespace

TEST(CombinLayout, PhotosWithoutPixelsDoNotCount)
{
    EXPECT_EQ(combinlayout::contentRatio({}), 1.0f);
    EXPECT_EQ(combinlayout::contentRatio({ { 0, 400 } }), 1.0f);
    EXPECT_NEAR(combinlayout::contentRatio({ { 400, 300 }, { 300, 0 }, { 300, 400 } }), 0.4882,
                1e-4);
}

TEST_F(SerialCanvasTest, PhotosAreStackedTopFirstAndRendered)
{
    testsupport::NotificationRecorder recorder(kit::kCombinViewUpdated, kit::kTextViewUnselected);
    EXPECT_EQ(canvas->ratio(), 1.0f);
    ASSERT_TRUE(canvas->addImage(photo({ 400, 300 }, Qt::red)));
    ASSERT_TRUE(canvas->addImage(photo({ 300, 400 }, Qt::blue)));
    EXPECT_EQ(
        recorder.names(),
        QStringList({ kit::kCombinViewUpdated.toString(), kit::kTextViewUnselected.toString(),
                      kit::kCombinViewUpdated.toString(), kit::kTextViewUnselected.toString() }));
    EXPECT_NEAR(canvas->ratio(), 0.4882, 1e-4);

    fitHeight();
    expectRect(canvas->items()[0]->frame(), { 19.7, 648.53, 460.6, 345.45 });
    expectRect(canvas->items()[1]->frame(), { 19.7, 19.7, 460.6, 614.13 });

    // On the height that the ratio gives, the top margin equals the bottom one.
    EXPECT_NEAR(canvas->bounds().height() - canvas->items()[0]->frame().maxY(), 19.7, 0.01);
    canvas->_setHasShadow(false);
    const QImage image = kit::renderToImage(*canvas);
    ASSERT_EQ(image.size(), QSize(500, 1014));
    EXPECT_TRUE(sameColor(pixelYUp(image, 250, 820), Qt::red));
    EXPECT_TRUE(sameColor(pixelYUp(image, 250, 320), Qt::blue));
    EXPECT_TRUE(sameColor(pixelYUp(image, 21, 650), Qt::red));
    // The plate shows in the gap between the photos; outside it, nothing.
    EXPECT_TRUE(sameColor(pixelYUp(image, 250, 641), Qt::white));
    EXPECT_EQ(pixelYUp(image, 2, 320).alpha(), 0);

    // A photo without pixels is refused. Clearing keeps the ratio and the
    // background, and removes the captions.
    recorder.clear();
    EXPECT_FALSE(canvas->addImage(kit::Image()));
    EXPECT_TRUE(recorder.posts().empty());
    canvas->_setBackgroundView(BackgroundEntry { 1, {}, {} });
    canvas->addTextView(QStringLiteral("caption"), canvas->textAnchor());
    canvas->clear();
    EXPECT_TRUE(canvas->items().empty());
    EXPECT_TRUE(canvas->subviews().empty());
    EXPECT_NEAR(canvas->ratio(), 0.4882, 1e-4);
    EXPECT_TRUE(canvas->backgroundView());
}

TEST_F(SerialCanvasTest, PlateTakesCornersShadowAndBackground)
{
    canvas->addImage(photo({ 300, 300 }, Qt::red));
    fitHeight(); // 500 × 500; the photo from 19.7 to 480.3
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const struct
    {
        bool rounded, shadow;
        std::optional<BackgroundEntry> background;
        QColor margin, corner; // at (10, 250) and (6, 6), y up
    } cases[] = {
        { false, false, std::nullopt, Qt::white, Qt::white },
        { false, false, BackgroundEntry { 1, {}, {} }, Qt::black, Qt::black },
        // Without a shadow the rounded plate is not painted, only a picture shows in it.
        { true, false, std::nullopt, Qt::transparent, Qt::transparent },
        { true, false, BackgroundEntry { 2, kit::Image::fromPixels(picture), {} }, Qt::green,
          Qt::transparent },
        { true, true, std::nullopt, Qt::white, QColor(0, 0, 0, 0) },
    };
    for (const auto& c : cases) {
        canvas->_setHasCorner(c.rounded);
        canvas->_setHasShadow(c.shadow);
        canvas->_setBackgroundView(c.background);
        const QImage image = kit::renderToImage(*canvas);
        EXPECT_TRUE(sameColor(pixelYUp(image, 10, 250), c.margin, 3)) << c.rounded << c.shadow;
        if (c.shadow) // the corner holds only the shadow's halo: grey, never white
            EXPECT_LT(pixelYUp(image, 6, 6).lightness() * pixelYUp(image, 6, 6).alphaF(), 200);
        else
            EXPECT_TRUE(sameColor(pixelYUp(image, 6, 6), c.corner, 3));
        EXPECT_TRUE(sameColor(pixelYUp(image, 250, 250), Qt::red));
    }
}

TEST_F(SerialCanvasTest, CaptionsStayAboveThePhotos)
{
    canvas->addImage(photo({ 300, 300 }, Qt::red));
    fitHeight();
    canvas->setFrameSize({ 500, 1000 });
    KLTextView* caption = canvas->addTextView(QStringLiteral("caption"), canvas->textAnchor());
    // Its height is a fraction of the canvas's height, not of the larger side.
    EXPECT_NEAR(caption->frame().height(), KLCanvasView::kCaptionHeight * 1000, 1e-9);
    canvas->addImage(photo({ 300, 300 }, Qt::blue));
    EXPECT_EQ(canvas->subviews().back().get(), caption);
    // A grab restacks the photos; the caption stays on top.
    window.mouseDown({ centreOf(canvas->items()[1]), 1, {} });
    EXPECT_EQ(canvas->subviews().back().get(), caption);
    EXPECT_EQ(canvas->subviews()[1].get(), canvas->items()[1]);
}

TEST_F(SerialCanvasTest, DraggingDownPastHalfOfTheNextSwapsOnceUntilTheAnimationEnds)
{
    for (QColor c : { QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue) })
        canvas->addImage(photo({ 400, 300 }, c));
    fitHeight();
    settle();
    const std::vector<KLCombinItem*> start = canvas->items();
    KLCombinItem* top = start[0];
    const kit::Rect topFrame = top->frame();
    const kit::Rect second = start[1]->frame();

    // Near the photo's bottom, so that the pointer reaches the next photo
    // together with the photo's bottom edge.
    const kit::Point grab { topFrame.midX(), topFrame.y() + 5 };
    window.mouseDown({ grab, 1, {} });
    EXPECT_EQ(canvas->selectedItem(), top);
    EXPECT_EQ(window.firstResponder(), top);
    EXPECT_EQ(top->tag(), KLCombinItem::kGrabbedTag);
    EXPECT_EQ(canvas->subviews().back().get(), top);

    // Down until the bottom edge is just inside the upper part of the
    // second photo: no swap yet.
    const double toUpperHalf = second.maxY() - 10 - topFrame.y();
    window.mouseDragged({ { grab.x + 30, grab.y + toUpperHalf }, 1, {} });
    EXPECT_EQ(canvas->items(), start);
    // Only y follows the pointer.
    expectRect(top->frame(), topFrame.offsetBy(0, toUpperHalf), 1e-9);

    // Past half of the second photo: one swap, animated.
    const double toLowerHalf = second.midY() - 5 - topFrame.y();
    window.mouseDragged({ { grab.x, grab.y + toLowerHalf }, 1, {} });
    const std::vector<KLCombinItem*> swapped = { start[1], start[0], start[2] };
    EXPECT_EQ(canvas->items(), swapped);
    EXPECT_TRUE(canvas->layoutInProgress());
    expectRect(start[1]->frame(), second, 1e-9); // it has not jumped

    // Further down, into the lower half of the third photo: nothing while the
    // others slide.
    const kit::Rect third = start[2]->frame();
    const double toThird = third.midY() - 5 - topFrame.y();
    window.mouseDragged({ { grab.x, grab.y + toThird }, 1, {} });
    EXPECT_EQ(canvas->items(), swapped);
    expectRect(top->frame(), topFrame.offsetBy(0, toThird), 1e-9);

    settle();
    // The second photo has slid into the top slot; the grabbed one stayed
    // under the pointer.
    expectRect(start[1]->frame(), topFrame);
    expectRect(top->frame(), topFrame.offsetBy(0, toThird), 1e-9);
    // The same position, once the animation has ended, swaps again.
    window.mouseDragged({ { grab.x, grab.y + toThird - 1 }, 1, {} });
    EXPECT_EQ(canvas->items(), std::vector<KLCombinItem*>({ start[1], start[2], start[0] }));

    // Releasing snaps the photo into its slot, with animation.
    settle();
    window.mouseUp({ { grab.x, grab.y + toThird - 1 }, 1, {} });
    EXPECT_FALSE(top->selected());
    EXPECT_TRUE(canvas->layoutInProgress());
    settle();
    expectRect(top->frame(), third);
    expectRect(start[2]->frame(), second);
}

TEST_F(SerialCanvasTest, DraggingUpPastHalfOfThePreviousSwaps)
{
    for (QColor c : { QColor(Qt::red), QColor(Qt::blue) })
        canvas->addImage(photo({ 300, 300 }, c));
    fitHeight();
    settle();
    const std::vector<KLCombinItem*> start = canvas->items();
    const kit::Rect upper = start[0]->frame(), lower = start[1]->frame();
    const kit::Point grab { lower.midX(), lower.maxY() - 5 };
    window.mouseDown({ grab, 1, {} });
    // The top edge just inside the lower half of the photo above: nothing.
    window.mouseDragged({ { grab.x, grab.y + (upper.midY() - 5 - lower.maxY()) }, 1, {} });
    EXPECT_EQ(canvas->items(), start);
    // Past its half.
    window.mouseDragged({ { grab.x, grab.y + (upper.midY() + 5 - lower.maxY()) }, 1, {} });
    EXPECT_EQ(canvas->items(), std::vector<KLCombinItem*>({ start[1], start[0] }));
    window.mouseUp({ grab, 1, {} });
    settle();
    expectRect(start[1]->frame(), upper);
    expectRect(start[0]->frame(), lower);
}

TEST_F(SerialCanvasTest, DeleteKeyAndContextMenuRemoveTheirPhoto)
{
    for (QColor c : { QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue) })
        canvas->addImage(photo({ 300, 300 }, c));
    fitHeight();
    settle();
    const std::vector<KLCombinItem*> start = canvas->items();
    testsupport::NotificationRecorder recorder(kit::kCombinViewUpdated, kit::kLayoutClearResponder);

    // Other keys do nothing; Delete on the key view removes it.
    window.mouseDown({ centreOf(start[1]), 1, {} });
    window.mouseUp({ centreOf(start[1]), 1, {} });
    ASSERT_EQ(window.firstResponder(), start[1]);
    window.keyDown({ kit::KeyCode::Down, {}, {} });
    EXPECT_EQ(canvas->items().size(), 3u);
    // A click outside the photos takes the key view away; a drag from there moves nothing.
    window.mouseDown({ { 5, 5 }, 1, {} });
    EXPECT_EQ(window.firstResponder(), canvas);
    EXPECT_EQ(canvas->selectedItem(), nullptr);
    window.mouseDragged({ { 5, 300 }, 1, {} });
    window.keyDown({ kit::KeyCode::Delete, {}, {} });
    EXPECT_EQ(canvas->items().size(), 3u);
    window.mouseDown({ centreOf(start[1]), 1, {} });
    window.mouseUp({ centreOf(start[1]), 1, {} });
    window.keyDown({ kit::KeyCode::Delete, {}, {} });
    EXPECT_EQ(canvas->items(), std::vector<KLCombinItem*>({ start[0], start[2] }));
    EXPECT_EQ(canvas->subviews().size(), 2u);
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 1);
    EXPECT_NEAR(canvas->ratio(), 500.0 / (15 + 2 * (15 + 470)), 1e-5);

    // The context menu: a right click clears the selection, then one entry removes.
    std::optional<kit::Menu> shown;
    window.onPopUpMenu = [&](const kit::Menu& menu, kit::Point) {
        shown = menu;
    };
    window.rightMouseDown({ centreOf(start[2]), 1, {} });
    EXPECT_EQ(recorder.lastObject(kit::kLayoutClearResponder), start[2]);
    EXPECT_EQ(window.firstResponder(), canvas);
    ASSERT_TRUE(shown);
    ASSERT_EQ(shown->items.size(), 1u);
    EXPECT_FALSE(shown->items[0].title.isEmpty());
    shown->items[0].action();
    EXPECT_EQ(canvas->items(), std::vector<KLCombinItem*>({ start[0] }));
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 2);
    // The menu of a photo that is gone does nothing.
    shown->items[0].action();
    EXPECT_EQ(canvas->items().size(), 1u);

    // The rest closes the gap once the canvas is resized for its content.
    fitHeight();
    expectRect(start[0]->frame(), { 19.7, 19.7, 460.6, 460.6 });
}

TEST_F(SerialCanvasTest, DropsTakeTheFirstFileOnly)
{
    window.setContentSize({ 500, 500 });
    testsupport::NotificationRecorder recorder(kit::kCombinViewUpdated);
    const QStringList files = { photoFile("1.png", Qt::red), photoFile("2.png", Qt::green),
                                photoFile("3.png", Qt::blue) };
    EXPECT_EQ(window.draggingEntered({ { 250, 250 }, files, true }), kit::DragOperation::Copy);
    EXPECT_EQ(window.draggingEntered({ { 250, 250 }, files, false }), kit::DragOperation::None);
    window.draggingExited();
    EXPECT_TRUE(window.performDrop({ { 250, 250 }, files, true }));
    ASSERT_EQ(canvas->items().size(), 1u);
    EXPECT_EQ(canvas->items()[0]->image().filePath(), files[0]);
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 1);

    // No file: refused. A first file that is no picture: accepted, nothing
    // added, the person told.
    QStringList reported;
    canvas->onUnreadablePhotos = [&](const QStringList& failures) {
        reported << failures;
    };
    EXPECT_FALSE(window.performDrop({ { 250, 250 }, {}, true }));
    const QString bad = write("x.png", "not a picture");
    EXPECT_TRUE(window.performDrop({ { 250, 250 }, { bad, files[1] }, true }));
    EXPECT_EQ(canvas->items().size(), 1u);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(bad));
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 1);

    // Several photos at once keep their order and update once.
    EXPECT_EQ(canvas->addImages(
                  { photo({ 10, 10 }, Qt::green), kit::Image(), photo({ 10, 20 }, Qt::blue) }),
              2);
    ASSERT_EQ(canvas->items().size(), 3u);
    EXPECT_EQ(canvas->items()[2]->image().height(), 20);
    EXPECT_EQ(recorder.count(kit::kCombinViewUpdated), 2);
}
