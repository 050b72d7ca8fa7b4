#include "chrome/kltabbarview.h"

#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

struct Press
{
    int tag;
};

// A bar 180 wide with three items tagged by position, recording every
// notification it sends.
struct Bar
{
    KLTabBarView view;
    std::vector<int> notified;

    Bar()
    {
        for (int tag = 0; tag < 3; ++tag)
            view.addItemWithImage(QIcon(), QStringLiteral("TIP_%1").arg(tag), tag);
        view.resize(180, 36);
        view.layoutSubview();
        QObject::connect(&view, &KLTabBarView::tabBarViewDidSelectTag,
                         [this](KLTabBarView* bar, int tag) {
                             EXPECT_EQ(bar, &view);
                             // Selected before the delegate hears of it.
                             EXPECT_EQ(view.items()[view.indexOfSelectedItem()].tag, tag);
                             notified.push_back(tag);
                         });
    }

    void press(int x, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPointF pos(x, 18);
        QMouseEvent e(QEvent::MouseButtonPress, pos, view.mapToGlobal(pos), button, button,
                      Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }

    void key(int key)
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }
};

TEST(KLTabBarView, UserPressSelectsThenNotifiesWithTheTag)
{
    struct Case
    {
        bool hideFirst;
        int x;
        int selected;
        std::vector<int> notified;
        Qt::MouseButton button = Qt::LeftButton;
    };
    const Case cases[] = {
        { false, 70, 1, { 1 } },
        { false, 179, 2, { 2 } },
        // Item 0 hidden: the two others share the whole width.
        { true, 10, 1, { 1 } },
        { true, 95, 2, { 2 } },
        // Outside every item, or another button.
        { false, 400, 0, {} },
        { false, 70, 0, {}, Qt::RightButton },
    };
    for (const Case& c : cases) {
        Bar bar;
        bar.view.selectItemWithIndex(0);
        if (c.hideFirst) {
            bar.view.setItemHidden(0, true);
            bar.view.layoutSubview();
        }
        bar.press(c.x, c.button);
        EXPECT_EQ(bar.view.indexOfSelectedItem(), c.selected) << "x " << c.x;
        EXPECT_EQ(bar.notified, c.notified) << "x " << c.x;
    }
}

TEST(KLTabBarView, ArrowKeysMoveOverVisibleItemsAndNotify)
{
    Bar bar;
    bar.view.setItemHidden(1, true);
    bar.view.layoutSubview();
    bar.view.selectItemWithIndex(0);
    bar.view.selectItemWithIndex(7); // out of range: ignored
    EXPECT_EQ(bar.view.indexOfSelectedItem(), 0);
    bar.key(Qt::Key_Right); // skips the hidden item 1
    bar.key(Qt::Key_Right); // already at the end
    bar.key(Qt::Key_Left);
    EXPECT_EQ(bar.notified, (std::vector<int> { 2, 0 })); // selecting in code said nothing
    EXPECT_EQ(bar.view.indexOfSelectedItem(), 0);
}

TEST(KLTabBarView, SelectedItemIsDrawnWithTheAccent)
{
    Bar bar;
    bar.view.selectItemWithIndex(1);
    const QImage image = bar.view.grab().toImage();
    const QColor accent = bar.view.palette().color(QPalette::Highlight);
    // The indicator line sits along the bottom of the selected item only.
    const int y = image.height() - 3;
    EXPECT_EQ(image.pixelColor(90, y).rgb(), accent.rgb());
    EXPECT_NE(image.pixelColor(30, y).rgb(), accent.rgb());
    EXPECT_NE(image.pixelColor(150, y).rgb(), accent.rgb());
}

} // namespace
