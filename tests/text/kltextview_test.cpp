#include "text/kltextview.h"

#include "kit/notificationnames.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using testsupport::NotificationRecorder;

namespace {

// Records every name a caption posts.
struct CaptionPosts : NotificationRecorder
{
    CaptionPosts()
        : NotificationRecorder(kit::kTextViewDidSelected, kit::kTextViewDidChanged,
                               kit::kTextViewSaving, kit::kTextViewDeleted,
                               kit::kTextViewUnselected, kit::kLayoutClearResponder)
    { }
};

// A caption on a canvas stand-in of the given size, in a window.
class CaptionTest : public ::testing::Test
{
protected:
    KLTextView* place(const kit::Rect& frame, kit::Size canvas = { 600, 400 })
    {
        auto root = std::make_unique<kit::View>(kit::Rect({ 0, 0 }, canvas));
        m_canvas = root.get();
        m_window.setRootView(std::move(root));
        KLTextView* caption = m_canvas->addSubview(std::make_unique<KLTextView>(frame));
        caption->applyStyleWithDictionary(factoryTextStyle());
        caption->_setText("Caption");
        m_window.makeFirstResponder(caption);
        return caption;
    }
    void press(kit::Point at, int clicks = 1) { m_window.mouseDown({ at, clicks, {} }); }
    void drag(kit::Point to) { m_window.mouseDragged({ to, 1, {} }); }
    void release(kit::Point at) { m_window.mouseUp({ at, 1, {} }); }
    void type(const QString& text, int code = kit::KeyCode::Unknown)
    {
        m_window.keyDown({ code, text, {} });
    }

    kit::Window m_window;
    kit::View* m_canvas = nullptr;
};

} // namespace

TEST_F(CaptionTest, ResizingByEachHandleKeepsATenthOfTheCanvas)
{
    const struct
    {
        int handle;
        kit::Point grab, delta;
        kit::Rect expected;
    } cases[] = {
        { 0, { 55, 55 }, { 20, 10 }, { 70, 60, 180, 70 } },
        { 2, { 55, 50 + 80 - 18 - 4 }, { -20, 10 }, { 30, 50, 220, 90 } },
        { 3, { 245, 50 + 80 - 18 - 4 }, { 20, 10 }, { 50, 50, 220, 90 } },
        // Far too small: the size stops at 60 × 40, the origin where the drag put it.
        { 0, { 55, 55 }, { 190, 70 }, { 240, 120, 60, 40 } },
        { 3, { 245, 50 + 80 - 18 - 4 }, { -190, -70 }, { 50, 50, 60, 40 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handle);
        KLTextView* caption = place({ 50, 50, 200, 80 });
        press(c.grab);
        EXPECT_EQ(caption->clickedRect(), c.handle);
        drag(c.grab + c.delta);
        release(c.grab + c.delta);
        EXPECT_TRUE(testsupport::rectNear(caption->frame(), c.expected, 1e-3));
        // The relative place and size follow, so a re-layout keeps the result.
        caption->updateFrame();
        EXPECT_TRUE(testsupport::rectNear(caption->frame(), c.expected, 1e-3));
    }
}

TEST_F(CaptionTest, BodyDragsFreezeWhileThePointerIsOffTheCanvas)
{
    KLTextView* caption = place({ 50, 50, 200, 80 });
    press({ 100, 80 });
    drag({ 130, 100 });
    EXPECT_TRUE(testsupport::rectNear(caption->frame(), { 80, 70, 200, 80 }, 1e-3));
    drag({ 700, 100 }); // beyond the right edge
    EXPECT_TRUE(testsupport::rectNear(caption->frame(), { 80, 70, 200, 80 }, 1e-3));
    drag({ 110, 70 });
    EXPECT_TRUE(testsupport::rectNear(caption->frame(), { 60, 40, 200, 80 }, 1e-3));
    EXPECT_NEAR(caption->location().x, 0.1, 1e-9);
    EXPECT_NEAR(caption->location().y, 0.1, 1e-9);
    EXPECT_NEAR(caption->size().ratio, 2.5, 1e-9);
    EXPECT_NEAR(caption->size().height, 0.2, 1e-9);

    // Dragging an unselected caption does nothing to it.
    m_window.makeFirstResponder(nullptr);
    caption->mouseDragged({ { 300, 300 }, 1, {} });
    EXPECT_TRUE(testsupport::rectNear(caption->frame(), { 60, 40, 200, 80 }, 1e-3));
}

TEST_F(CaptionTest, TheKnobTurnsTheCaptionAndReLayoutKeepsItsSize)
{
    KLTextView* caption = place({ 100, 100, 300, 100 });
    const kit::Point knob(255, 195);
    press(knob);
    ASSERT_EQ(caption->clickedRect(), KLTextView::Knob);
    // The centre of the text box lies at (259, 141): the pointer to its right.
    drag({ 400, 141 });
    EXPECT_NEAR(caption->frameRotation(), -90, 0.01);
    // Turned, the text box's centre lies at (241, 141): straight above it.
    drag({ 241, 300 });
    EXPECT_NEAR(caption->frameRotation(), 0, 0.1);
    drag({ 100, 141 });
    EXPECT_NEAR(caption->frameRotation(), 90, 0.01);
    release({ 100, 141 });
    // Re-laid out for another canvas size, the turned caption keeps its
    // proportions instead of growing to its bounding box.
    m_canvas->setFrameSize({ 1200, 800 });
    caption->updateFrame();
    EXPECT_NEAR(caption->unrotatedFrame().width(), 600, 1e-6);
    EXPECT_NEAR(caption->unrotatedFrame().height(), 200, 1e-6);
    EXPECT_NEAR(caption->frameRotation(), 90, 0.01);
}

TEST_F(CaptionTest, ClicksAndCommandsPostTheirNotifications)
{
    KLTextView* caption = place({ 100, 100, 300, 100 });
    CaptionPosts posts;
    auto expect = [&](const std::function<void()>& act, const QStringList& names) {
        posts.clear();
        act();
        EXPECT_EQ(posts.names(), names);
        for (const auto* name : { &kit::kTextViewDidSelected, &kit::kTextViewDidChanged,
                                  &kit::kTextViewSaving, &kit::kTextViewDeleted }) {
            if (names.contains(name->toString())) {
                EXPECT_EQ(posts.lastObject(*name), caption);
            }
        }
    };
    expect([&] { press({ 200, 150 }, 1); }, { "kTextViewDidChanged" });
    expect([&] { press({ 200, 150 }, 2); }, { "kTextViewDidSelected" });
    expect([&] { press({ 200, 150 }, 3); }, {});
    expect(
        [&] {
            m_window.rightMouseDown({ { 200, 150 }, 1, {} });
        },
        { "kLayoutClearResponder", "kTextViewDidSelected" });
    expect([&] { caption->showProperties(); }, { "kTextViewDidSelected" });
    expect([&] { caption->saveProperties(); }, { "kTextViewSaving" });
    expect([&] { caption->remove(); }, { "kTextViewDeleted", "kTextViewUnselected" });
}

TEST_F(CaptionTest, ContextMenuAndBringingToFront)
{
    KLTextView* below = place({ 100, 100, 300, 100 });
    KLTextView* above = m_canvas->addSubview(std::make_unique<KLTextView>(kit::Rect(0, 0, 50, 50)));
    const kit::Menu& menu = below->contextMenu();
    // The style list shows the shipped styles with small previews.
    const auto& styles = menu.items.at(3).submenu;
    ASSERT_GE(styles.size(), 12u);
    EXPECT_FALSE(styles[2].icon.isNull());
    EXPECT_LE(std::max(styles[2].icon.width(), styles[2].icon.height()), 64);

    // On top already: nothing changes, not even the first responder.
    above->bringToFront();
    EXPECT_EQ(m_window.firstResponder(), below);
    menu.items[0].action();
    EXPECT_EQ(m_canvas->subviews().back().get(), below);
    EXPECT_EQ(m_window.firstResponder(), below);
}

TEST_F(CaptionTest, EditingInPlace)
{
    KLTextView* caption = place({ 100, 100, 300, 100 });
    CaptionPosts posts;
    press({ 200, 150 }, 1);
    press({ 200, 150 }, 2);
    ASSERT_TRUE(caption->isEditing());
    type("H");
    EXPECT_EQ(caption->text(), "H"); // the first key replaces the whole text
    type("i 你好");
    type({}, kit::KeyCode::Delete);
    EXPECT_EQ(caption->text(), "Hi 你");
    EXPECT_EQ(posts.count(kit::kTextViewDidChanged), 1 + 3);
    type({}, kit::KeyCode::Escape);
    EXPECT_FALSE(caption->isEditing());
    EXPECT_EQ(caption->text(), "Caption");

    caption->beginEditing();
    type("Kept");
    m_window.makeFirstResponder(nullptr); // clicking elsewhere ends editing
    EXPECT_FALSE(caption->isEditing());
    EXPECT_EQ(caption->text(), "Kept");

    // Delete removes a selected caption that is not being edited.
    m_window.makeFirstResponder(caption);
    posts.clear();
    type({}, kit::KeyCode::Delete);
    EXPECT_EQ(posts.names(), QStringList({ "kTextViewDeleted", "kTextViewUnselected" }));
}
