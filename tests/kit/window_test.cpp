#include "kit/window.h"
#include "recorderview.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QStringList>

using kit::DragInfo;
using kit::DragOperation;
using kit::MouseEvent;
using kit::Point;
using kit::Rect;
using kit::View;
using kit::Window;

using kittest::Recorder;

namespace {

// A 100 × 100 window: root, with a container (0, 0, 60, 60) holding a child
// (10, 10, 20, 20), and a separate view (70, 70, 20, 20).
struct Fixture
{
    QStringList log;
    Window window;
    Recorder* root;
    Recorder* container;
    Recorder* child;
    Recorder* other;

    Fixture()
    {
        window.setContentSize({ 100, 100 });
        auto r = std::make_unique<Recorder>(Rect(), "root", &log);
        root = r.get();
        window.setRootView(std::move(r));
        container =
            root->addSubview(std::make_unique<Recorder>(Rect(0, 0, 60, 60), "container", &log));
        child =
            container->addSubview(std::make_unique<Recorder>(Rect(10, 10, 20, 20), "child", &log));
        other = root->addSubview(std::make_unique<Recorder>(Rect(70, 70, 20, 20), "other", &log));
    }
    static MouseEvent at(double x, double y, int clicks = 1) { return { { x, y }, clicks, {} }; }
};

} // namespace

TEST(Window, MouseDownViewKeepsTheDragsAndTheMouseUp)
{
    Fixture f;
    EXPECT_EQ(f.root->unrotatedFrame(), Rect(0, 0, 100, 100));
    f.window.mouseDown(Fixture::at(15, 15, 2));
    f.window.mouseDragged(Fixture::at(80, 80));
    f.window.mouseUp(Fixture::at(95, 5));
    f.window.mouseDragged(Fixture::at(20, 20)); // no button down: nobody
    EXPECT_EQ(f.log,
              QStringList({ "down 15,15 x2:child", "drag 80,80 x1:child", "up 95,5 x1:child" }));
    EXPECT_EQ(f.window.mouseDownView(), nullptr);

    // A view that leaves mouse events alone passes them to its container.
    f.log.clear();
    f.child->handlesMouse = false;
    f.window.mouseDown(Fixture::at(15, 15));
    f.window.mouseDragged(Fixture::at(80, 80));
    f.window.mouseUp(Fixture::at(80, 80));
    EXPECT_EQ(f.log,
              QStringList({ "down 15,15 x1:container", "drag 80,80 x1:container",
                            "up 80,80 x1:container" }));
}

TEST(Window, FirstResponderAndKeys)
{
    Fixture f;
    f.child->accepts = true;
    EXPECT_FALSE(f.window.makeFirstResponder(f.container)); // refuses
    EXPECT_EQ(f.window.firstResponder(), nullptr);
    Recorder outsider({}, "outsider", &f.log);
    outsider.accepts = true;
    EXPECT_FALSE(f.window.makeFirstResponder(&outsider)); // not in this window

    // A click makes an accepting view first responder; keys go to it and up.
    f.window.mouseDown(Fixture::at(15, 15));
    EXPECT_EQ(f.window.firstResponder(), f.child);
    EXPECT_TRUE(f.child->isFirstResponder());
    // Clicking a view that does not accept leaves the responder alone.
    f.window.mouseDown(Fixture::at(45, 45));
    EXPECT_EQ(f.window.firstResponder(), f.child);
    f.log.clear();
    f.window.keyDown({ kit::KeyCode::Delete, {}, {} });
    EXPECT_EQ(f.log, QStringList({ "key 51:child" }));

    EXPECT_TRUE(f.window.makeFirstResponder(nullptr));
    f.window.keyDown({ kit::KeyCode::Up, {}, {} });
    EXPECT_EQ(f.log.size(), 1); // no responder, no key
}

TEST(Window, DestroyedViewsLeaveNoDanglingPointers)
{
    Fixture f;
    f.child->accepts = true;
    f.child->addTrackingRect(f.child->bounds());
    f.container->registerForFileDrops(true);
    f.window.mouseDown(Fixture::at(15, 15));
    f.window.mouseMoved(Fixture::at(15, 15));
    f.window.draggingEntered({ { 15, 15 }, { "/a.jpg" }, true });
    ASSERT_EQ(f.window.firstResponder(), f.child);

    // Removed but alive: not answered while out of the window, back on re-adding.
    std::unique_ptr<View> taken = f.child->removeFromSuperview();
    EXPECT_EQ(f.window.firstResponder(), nullptr);
    View* raw = f.container->addSubview(std::move(taken));
    EXPECT_EQ(f.window.firstResponder(), raw);

    // Destroying the container destroys the child with it; every event that
    // would have reached them now finds nobody (ASan checks the rest).
    f.container->removeFromSuperview().reset();
    EXPECT_EQ(f.window.firstResponder(), nullptr);
    EXPECT_EQ(f.window.mouseDownView(), nullptr);
    f.log.clear();
    f.window.mouseDragged(Fixture::at(16, 16));
    f.window.mouseUp(Fixture::at(16, 16));
    f.window.keyDown({ kit::KeyCode::Up, {}, {} });
    f.window.mouseMoved(Fixture::at(90, 90));
    f.window.draggingExited();
    EXPECT_TRUE(f.log.isEmpty()) << f.log.join(", ").toStdString();

    // A responder destroyed while detached from the window is forgotten too.
    f.other->accepts = true;
    ASSERT_TRUE(f.window.makeFirstResponder(f.other));
    std::unique_ptr<View> detached = f.other->removeFromSuperview();
    detached.reset();
    EXPECT_EQ(f.window.firstResponder(), nullptr);
}

TEST(Window, FileDropsReachTheRegisteredView)
{
    Fixture f;
    f.container->registerForFileDrops(true);
    const QStringList files { "/p/a.jpg", "/p/b.png" };

    // Over the child, the nearest registered ancestor takes the drop.
    EXPECT_EQ(f.window.draggingEntered({ { 15, 15 }, files, true }), DragOperation::Copy);
    EXPECT_EQ(f.window.draggingUpdated({ { 20, 25 }, files, true }), DragOperation::Copy);
    EXPECT_EQ(f.window.draggingUpdated({ { 80, 80 }, files, true }), DragOperation::None);
    EXPECT_EQ(f.window.draggingUpdated({ { 50, 5 }, files, true }), DragOperation::Copy);
    EXPECT_TRUE(f.window.performDrop({ { 50, 5 }, files, true }));
    EXPECT_EQ(f.log,
              QStringList({ "entered /p/a.jpg|/p/b.png 15,15:container",
                            "updated /p/a.jpg|/p/b.png 20,25:container", "drag exited:container",
                            "entered /p/a.jpg|/p/b.png 50,5:container",
                            "prepare /p/a.jpg|/p/b.png 50,5:container",
                            "perform /p/a.jpg|/p/b.png 50,5:container" }));

    // Nowhere to drop, or a target that refuses: the drop fails.
    EXPECT_FALSE(f.window.performDrop({ { 80, 80 }, files, true }));
    f.container->refuseDrops = true;
    f.log.clear();
    EXPECT_FALSE(f.window.performDrop({ { 5, 5 }, files, true }));
    EXPECT_EQ(f.log, QStringList({ "entered /p/a.jpg|/p/b.png 5,5:container" }));
}

TEST(Window, TrackingRectsCursorsAndMenus)
{
    Fixture f;
    std::vector<std::optional<Qt::CursorShape>> cursors;
    f.window.onCursorChanged = [&](std::optional<Qt::CursorShape> c) {
        cursors.push_back(c);
    };
    f.child->addTrackingRect({ 0, 0, 10, 10 }); // window (10, 10)..(20, 20)
    f.other->cursor = Qt::OpenHandCursor;

    for (Point p :
         { Point(5, 5), Point(12, 12), Point(18, 18), Point(25, 25), Point(75, 75), Point(40, 40) })
        f.window.mouseMoved({ p, 0, {} });
    EXPECT_EQ(f.log, QStringList({ "moved:child", "moved:child", "exited:child" }));
    EXPECT_EQ(cursors,
              (std::vector<std::optional<Qt::CursorShape>>({ Qt::OpenHandCursor, std::nullopt })));

    // Right click: the handler runs first, then the menu of the nearest view that has one.
    std::vector<QString> shown;
    f.window.onPopUpMenu = [&](const kit::Menu& m, Point at) {
        shown.push_back(m.items.at(0).title + QStringLiteral(" %1,%2").arg(at.x).arg(at.y));
    };
    f.container->menu = kit::Menu { { kit::MenuItem { "Remove", {}, true, false, false, {} } } };
    f.log.clear();
    f.window.rightMouseDown(Fixture::at(15, 16));
    f.window.rightMouseDown(Fixture::at(80, 80));
    EXPECT_EQ(f.log, QStringList({ "right 15,16 x1:child", "right 80,80 x1:other" }));
    EXPECT_EQ(shown, std::vector<QString>({ "Remove 15,16" }));

    f.log.clear();
    f.window.scrollWheel({ { 15, 15 }, 0, 1, {} });
    EXPECT_EQ(f.log, QStringList({ "scroll 0 1:child" }));
}

TEST(Window, RedrawRequestsReachTheHost)
{
    Fixture f;
    std::vector<Rect> rects;
    f.window.onNeedsDisplayInRect = [&](const Rect& r) {
        rects.push_back(r);
    };
    f.child->setNeedsDisplay();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects.back(), Rect(10, 10, 20, 20));
    f.child->setFrameOrigin({ 30, 30 }); // the old place and the new one
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[1], Rect(10, 10, 20, 20));
    EXPECT_EQ(rects[2], Rect(30, 30, 20, 20));

    // A view placed at NaN asks for the whole window, never for a NaN area.
    f.child->setFrameOrigin({ std::nan(""), 10 });
    EXPECT_EQ(rects.back(), Rect(0, 0, 100, 100));

    const size_t count = rects.size();
    Recorder loose({ 0, 0, 10, 10 }, "loose", &f.log);
    loose.setNeedsDisplay(); // in no window: nothing
    EXPECT_EQ(rects.size(), count);
}
