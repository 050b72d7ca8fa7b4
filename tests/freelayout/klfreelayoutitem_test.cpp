#include "freelayout/klfreelayoutitem.h"

#include "kit/graphicscontext.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QPainter>

using kit::Point;
using kit::Rect;
using testsupport::pixelYUp;
using testsupport::pointNear;
using testsupport::rectNear;
using testsupport::sameColor;

namespace {

// An 800 × 600 window whose root view is the container; window and
// container coordinates coincide. Prints show a 4:3 red photo.
struct Desk
{
    Desk()
    {
        host.resize(800, 600);
        window.setContentSize({ 800, 600 });
        window.setRootView(std::make_unique<kit::View>());
    }
    kit::View& container() { return *window.rootView(); }
    KLFreeLayoutItem* print(Point at, QColor colour = Qt::red)
    {
        auto* item = container().addSubview(std::make_unique<KLFreeLayoutItem>());
        item->initLayoutWithImage(testsupport::solidPhoto({ 40, 30 }, colour), at);
        return item;
    }
    // A press at `from`, drags through `path`, release at the last point.
    void drag(Point from, std::initializer_list<Point> path, int clicks = 1)
    {
        window.mouseDown({ from, clicks, {} });
        for (Point p : path)
            window.mouseDragged({ p, clicks, {} });
        window.mouseUp({ std::data(path)[path.size() - 1], clicks, {} });
    }
    // The centre of a handle in window coordinates.
    static Point handle(const KLFreeLayoutItem* item, int index)
    {
        return item->convertPointToView(item->dragCornerRect(index).centre(), nullptr);
    }

    // What the screen shows.
    QImage screen() { return host.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

    kit::ViewHost host;
    kit::Window& window = *host.viewWindow();
};

} // namespace

TEST(FreeLayoutItem, NewPrintGeometryAndDrawing)
{
    Desk desk;
    KLFreeLayoutItem* item = desk.print({ 400, 300 });
    EXPECT_FLOAT_EQ(item->scale(), 0.5f);
    EXPECT_DOUBLE_EQ(item->margin(), 12);
    EXPECT_DOUBLE_EQ(item->band(), 24);
    EXPECT_TRUE(rectNear(item->frame(), { 400 - 212, 300 - 174, 424, 348 }, 1e-4));
    EXPECT_TRUE(pointNear(item->imageLocation(), { 188.0 / 800, 126.0 / 600 }, 1e-7));
    // A closed hand over every handle, none elsewhere.
    for (int i = 0; i < 5; ++i) {
        desk.window.mouseMoved({ Desk::handle(item, i), 1, {} });
        EXPECT_EQ(desk.window.cursor(), Qt::ClosedHandCursor) << i;
    }
    desk.window.mouseMoved({ { 400, 300 }, 1, {} });
    EXPECT_EQ(desk.window.cursor(), std::nullopt);

    // Photo 400 × 300 at (12, 12), white card (4, 4, 416, 316), nothing in
    // the band above the card while the print is not selected.
    const QImage plain = kit::renderToImage(desk.container());
    auto at = [&](const QImage& image, double x, double y) {
        return pixelYUp(image, int(188 + x), int(126 + y));
    };
    EXPECT_TRUE(sameColor(at(plain, 13, 13), Qt::red));
    EXPECT_TRUE(sameColor(at(plain, 410, 310), Qt::red));
    EXPECT_TRUE(sameColor(at(plain, 8, 100), Qt::white));
    EXPECT_TRUE(sameColor(at(plain, 200, 316), Qt::white));
    EXPECT_EQ(at(plain, 217, 343).alpha(), 0);
    EXPECT_GT(at(plain, 200, 2).alpha(), 0); // the card's shadow

    // Selected: blue corner squares, rotation knob and dashed frame on the
    // screen; an export shows none of them.
    ASSERT_TRUE(desk.window.makeFirstResponder(item));
    EXPECT_TRUE(kit::renderToImage(desk.container()) == plain);
    const QImage selected = desk.screen();
    EXPECT_TRUE(sameColor(at(selected, 5, 5), Qt::blue));
    EXPECT_TRUE(sameColor(at(selected, 419, 320), Qt::blue));
    EXPECT_TRUE(sameColor(at(selected, 217, 343), Qt::blue));
    EXPECT_TRUE(sameColor(at(selected, 217, 330), Qt::blue)); // the stem
}

TEST(FreeLayoutItem, CornerDragsScaleAboutTheCentre)
{
    const struct
    {
        int handle;
        Point by; // pointer movement; only x counts
        kit::Size size;
    } cases[] = {
        { 3, { 10, -40 }, { 444, 363 } }, // right-hand corners grow outward; y ignored
        { 0, { 10, 25 }, { 404, 333 } }, // left-hand corners shrink inward
    };
    for (const auto& c : cases) {
        Desk desk;
        KLFreeLayoutItem* item = desk.print({ 400, 300 });
        const Point from = Desk::handle(item, c.handle);
        desk.drag(from, { from + Point(c.by.x / 2, 0), from + c.by });
        EXPECT_TRUE(rectNear(
            item->frame(),
            { 400 - c.size.width / 2, 300 - c.size.height / 2, c.size.width, c.size.height },
            1e-4));
        EXPECT_NEAR(item->scale(), (c.size.width - 24) / 800, 1e-6);
        EXPECT_TRUE(pointNear(item->imageLocation(),
                              { item->frame().x() / 800, item->frame().y() / 600 }, 1e-7));
        // The handle zones follow the print at once.
        desk.window.mouseMoved({ Desk::handle(item, c.handle), 1, {} });
        EXPECT_EQ(desk.window.cursor(), Qt::ClosedHandCursor);
        EXPECT_FALSE(item->inDrag());
    }

    // Dragged past the centre the print stays at the narrowest size, centred.
    Desk desk;
    KLFreeLayoutItem* item = desk.print({ 400, 300 });
    const Point from = Desk::handle(item, 1);
    desk.drag(from, { from - Point(600, 0) });
    EXPECT_FLOAT_EQ(item->scale(), KLFreeLayoutItem::kMinimumScale);
    EXPECT_GT(item->frame().width(), 24);
    EXPECT_NEAR(item->frame().centre().x, 400, 1e-4);
    EXPECT_NEAR(item->frame().centre().y, 300, 1e-4);
}

TEST(FreeLayoutItem, MoveFollowsThePointerOnlyInsideTheContainer)
{
    Desk desk;
    KLFreeLayoutItem* item = desk.print({ 400, 300 });
    const Rect start = item->frame();
    desk.window.mouseDown({ { 400, 300 }, 1, {} });
    EXPECT_EQ(item->clickedRect(), -1);
    desk.window.mouseDragged({ { 430, 280 }, 1, {} });
    EXPECT_TRUE(rectNear(item->frame(), start.offsetBy(30, -20), 1e-4));
    desk.window.mouseDragged({ { 900, 100 }, 1, {} }); // outside: frozen
    EXPECT_TRUE(rectNear(item->frame(), start.offsetBy(30, -20), 1e-4));
    EXPECT_TRUE(item->inDrag());
    desk.window.mouseDragged({ { 350, 350 }, 1, {} }); // back: measured from the press
    EXPECT_TRUE(rectNear(item->frame(), start.offsetBy(-50, 50), 1e-4));
    desk.window.mouseUp({ { 350, 350 }, 1, {} });
    EXPECT_TRUE(
        pointNear(item->imageLocation(), { (start.x() - 50) / 800, (start.y() + 50) / 600 }, 1e-7));

    // During the drag the card casts no shadow.
    desk.window.mouseDown({ { 350, 350 }, 1, {} });
    desk.window.mouseDragged({ { 351, 350 }, 1, {} });
    const Rect card = item->frame();
    EXPECT_EQ(
        pixelYUp(kit::renderToImage(desk.container()), int(card.midX()), int(card.y() + 2)).alpha(),
        0);
}

TEST(FreeLayoutItem, RotationHandleTurnsTowardThePointer)
{
    const struct
    {
        Point direction; // from the reference point
        double degrees;
    } cases[] = {
        { { 100, 0 }, -90 },
        { { -100, 0 }, 90 },
        { { 100, 100 }, -44.98 },
    };
    for (const auto& c : cases) {
        Desk desk;
        KLFreeLayoutItem* item = desk.print({ 400, 300 });
        const Point centre = item->frame().centre();
        // The reference point lies m right of the centre line, halfway up the card.
        const Point reference = item->convertPointToView({ 212 + 12, (348 - 24) / 2.0 }, nullptr);
        desk.drag(Desk::handle(item, 4), { reference + c.direction });
        EXPECT_NEAR(item->frameRotation(), c.degrees, 0.01);
        EXPECT_NEAR(item->frame().centre().x, centre.x, 1e-9);
        EXPECT_NEAR(item->frame().centre().y, centre.y, 1e-9);
        const Point corner = item->convertPointToView({ 0, 0 }, nullptr);
        EXPECT_NEAR(item->imageLocation().x, corner.x / 800, 1e-12);
        EXPECT_NEAR(item->imageLocation().y, corner.y / 600, 1e-12);

        // On the reference point itself there is no direction: the print keeps its turn.
        const double before = item->frameRotation();
        const Point now = item->convertPointToView({ 212 + 12, (348 - 24) / 2.0 }, nullptr);
        desk.drag(Desk::handle(item, 4), { now });
        EXPECT_DOUBLE_EQ(item->frameRotation(), before);
    }
}

TEST(FreeLayoutItem, ClicksMenuAndKeys)
{
    Desk desk;
    KLFreeLayoutItem* back = desk.print({ 300, 300 }, Qt::green);
    KLFreeLayoutItem* front = desk.print({ 500, 300 });
    testsupport::NotificationRecorder rec(kit::kFreeLayoutItemSelected, kit::kTextViewUnselected,
                                          kit::kFreeLayoutItemDeleted);
    const Point onlyBack(200, 300);

    desk.window.mouseDown({ onlyBack, 1, {} });
    desk.window.mouseUp({ onlyBack, 1, {} });
    EXPECT_EQ(rec.names(),
              QStringList({ kit::kFreeLayoutItemSelected.toString(),
                            kit::kTextViewUnselected.toString() }));
    EXPECT_EQ(rec.lastObject(kit::kFreeLayoutItemSelected), back);
    EXPECT_EQ(desk.window.firstResponder(), back);

    // The third click of a triple click is a plain click; the second brings to front.
    desk.window.mouseDown({ onlyBack, 3, {} });
    EXPECT_EQ(back->indexInSuperview(), 0);
    desk.window.mouseDown({ onlyBack, 2, {} });
    desk.window.mouseUp({ onlyBack, 2, {} });
    EXPECT_EQ(back->indexInSuperview(), 1);
    EXPECT_EQ(desk.window.firstResponder(), back);

    // Right click: selected and the menu of two commands.
    rec.clear();
    std::optional<kit::Menu> menu;
    desk.window.onPopUpMenu = [&](const kit::Menu& m, Point) {
        menu = m;
    };
    desk.window.rightMouseDown({ { 650, 300 }, 1, {} });
    EXPECT_EQ(rec.names(),
              QStringList({ kit::kTextViewUnselected.toString(),
                            kit::kFreeLayoutItemSelected.toString() }));
    EXPECT_EQ(desk.window.firstResponder(), front);
    ASSERT_TRUE(menu && menu->items.size() == 2u); // Bring to Front, Remove
    menu->items[0].action();
    EXPECT_EQ(front->indexInSuperview(), 1);
    menu->items[1].action();
    EXPECT_EQ(rec.lastObject(kit::kFreeLayoutItemDeleted), front);

    // Arrows nudge (Shift: ten); unknown keys do nothing; Delete asks for removal.
    rec.clear();
    const Rect before = front->frame();
    desk.window.keyDown({ kit::KeyCode::Right, {}, {} });
    desk.window.keyDown({ kit::KeyCode::Up, {}, Qt::ShiftModifier });
    desk.window.keyDown({ kit::KeyCode::Unknown, "a", {} });
    EXPECT_TRUE(rectNear(front->frame(), before.offsetBy(1, 10), 1e-4));
    EXPECT_TRUE(pointNear(front->imageLocation(),
                          { front->frame().x() / 800, front->frame().y() / 600 }, 1e-7));
    EXPECT_TRUE(rec.names().isEmpty());
    desk.window.keyDown({ kit::KeyCode::Delete, {}, {} });
    EXPECT_EQ(rec.names(), QStringList({ kit::kFreeLayoutItemDeleted.toString() }));
}

TEST(FreeLayoutItem, ScreenShowsWhatTheExportShows)
{
    // The screen keeps a snapshot of each print; after a move it must still
    // match a fresh render, turned and selected alike.
    Desk desk;
    desk.print({ 300, 250 }, Qt::green);
    KLFreeLayoutItem* item = desk.print({ 450, 300 });
    desk.drag(Desk::handle(item, 4), { Desk::handle(item, 4) + Point(60, -20) });
    auto screen = [&] {
        QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.translate(0, 600);
        painter.scale(1, -1);
        kit::GraphicsContext gc(painter);
        desk.container().drawTree(gc, desk.container().bounds());
        return image;
    };
    screen();
    desk.drag({ 450, 300 }, { { 470, 290 } });
    const QImage shown = screen();
    const QImage exported = kit::renderToImage(desk.container());
    int differing = 0;
    for (int y = 0; y < 600; y += 3) {
        for (int x = 0; x < 800; x += 3)
            differing += sameColor(shown.pixelColor(x, y), exported.pixelColor(x, y), 24) ? 0 : 1;
    }
    EXPECT_LT(differing, 40); // antialiased edges only
    EXPECT_TRUE(sameColor(pixelYUp(shown, 470, 290), Qt::red));
}
