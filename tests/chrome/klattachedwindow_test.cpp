#include "chrome/klattachedwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

using Side = KLAttachedWindow::Side;

// A main window with a 60×24 button, and a 100×80 content held by the window
// while no pop-up shows it.
struct Fixture
{
    QWidget window;
    QPushButton* button;
    QWidget* content;

    explicit Fixture(QPoint buttonPos = { 170, 200 }, QPoint windowPos = { 100, 100 })
    {
        window.setGeometry(QRect(windowPos, QSize(400, 300)));
        button = new QPushButton(QStringLiteral("1:1"), &window);
        button->setGeometry(QRect(buttonPos, QSize(60, 24)));
        content = new QWidget(&window);
        content->setFixedSize(100, 80);
        content->hide();
        window.show();
    }

    // Styled as the ratio list: attached to the top middle of the button.
    KLAttachedWindow* popUp(Side side, QPoint point = { 30, 0 })
    {
        auto* w = new KLAttachedWindow(content, point, button, side, 3);
        w->setBorderColor(Qt::white);
        w->setBorderWidth(2);
        w->setBackgroundColor(Qt::darkGray);
        w->setCornerRadius(4);
        w->setViewMargin(5);
        w->setTag(100);
        w->show();
        return w;
    }
};

void press(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(pos), w->mapToGlobal(QPointF(pos)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST(KLAttachedWindow, ArrowTipIsDistanceAwayFromThePointOnEverySide)
{
    struct Case
    {
        Side side;
        QPoint point; // in the button
        QPoint offset; // from the point to the tip
        QSize size; // content 100×80 + 2 × (border 2 + margin 5) + arrow 9
    };
    const Case cases[] = {
        { Side::Upper, { 30, 0 }, { 0, -3 }, { 114, 103 } },
        { Side::Lower, { 30, 24 }, { 0, 3 }, { 114, 103 } },
        { Side::Left, { 0, 12 }, { -3, 0 }, { 123, 94 } },
        { Side::Right, { 60, 12 }, { 3, 0 }, { 123, 94 } },
    };
    for (const Case& c : cases) {
        Fixture f;
        QPointer<KLAttachedWindow> w = f.popUp(c.side, c.point);
        const QPoint point = f.button->mapToGlobal(c.point);
        EXPECT_EQ(w->effectiveSide(), c.side);
        EXPECT_EQ(w->arrowTipGlobal(), point + c.offset) << int(c.side);
        EXPECT_EQ(w->size(), c.size) << int(c.side);
        // The content sits inside the border and the margin.
        EXPECT_EQ(f.content->parentWidget(), w.data());
        EXPECT_TRUE(w->rect().contains(f.content->geometry()));
        w->close();
        delete w.data();
    }
}

TEST(KLAttachedWindow, PaintsBodyAndArrowWithTransparentCorners)
{
    Fixture f;
    KLAttachedWindow* w = f.popUp(Side::Upper);
    const QImage image = w->grab().toImage();
    const QPoint tip = w->mapFromGlobal(w->arrowTipGlobal());
    ASSERT_EQ(tip.y(), image.height());
    // The last row is the white border at the tip, transparent beside the arrow.
    EXPECT_GT(image.pixelColor(tip.x(), image.height() - 2).alpha(), 200);
    EXPECT_GT(image.pixelColor(tip.x(), image.height() - 2).lightness(), 200);
    EXPECT_EQ(image.pixelColor(5, image.height() - 2).alpha(), 0);
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0); // rounded corner
    // Border along the top edge, background inside.
    EXPECT_EQ(image.pixelColor(50, 0).rgba(), QColor(Qt::white).rgba());
    EXPECT_EQ(image.pixelColor(50, 40).rgb(), QColor(Qt::darkGray).rgb());
    delete w;
}

TEST(KLAttachedWindow, StaysOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        // No room above a button at the top of the screen: the window flips below.
        Fixture f({ 170, 0 }, screen.topLeft());
        KLAttachedWindow* w = f.popUp(Side::Upper);
        EXPECT_EQ(w->effectiveSide(), Side::Lower);
        EXPECT_EQ(w->arrowTipGlobal(), f.button->mapToGlobal(QPoint(30, 0)) + QPoint(0, 3));
        EXPECT_TRUE(screen.contains(w->geometry()));
        delete w;
    }
    {
        // A point near the left edge: the body slides right, the arrow still points at it.
        Fixture f({ 0, 200 }, screen.topLeft());
        KLAttachedWindow* w = f.popUp(Side::Upper, { 20, 0 });
        EXPECT_EQ(w->geometry().left(), screen.left());
        EXPECT_EQ(w->arrowTipGlobal(), f.button->mapToGlobal(QPoint(20, 0)) + QPoint(0, -3));
        delete w;
    }
}

TEST(KLAttachedWindow, ClosesOnOutsidePressAndHandsTheContentBack)
{
    Fixture f;
    QPointer<KLAttachedWindow> w = f.popUp(Side::Upper);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->addPassThroughWidget(f.button);
    int closed = 0;
    QObject::connect(w, &KLAttachedWindow::closed, [&](KLAttachedWindow* sender) {
        EXPECT_EQ(sender, w.data());
        ++closed;
    });

    press(f.button, { 5, 5 }); // the toggling button: stays open
    press(f.content, { 5, 5 }); // inside
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(closed, 0);

    press(&f.window, { 5, 5 });
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(f.content->parentWidget(), &f.window);
    EXPECT_FALSE(f.content->isVisible());

    // A second pop-up can show the same content; closing twice reports once.
    w->close();
    EXPECT_EQ(closed, 1);
    delete w.data();
    KLAttachedWindow* again = f.popUp(Side::Lower);
    EXPECT_EQ(f.content->parentWidget(), again);
    delete again;
    EXPECT_EQ(f.content->parentWidget(), &f.window); // destroying also hands it back
}

TEST(KLAttachedWindow, FollowsItsWindowOutOfSightAndDeath)
{
    QPointer<KLAttachedWindow> w;
    QPointer<QWidget> content;
    {
        Fixture f;
        content = f.content;
        w = f.popUp(Side::Upper);
        const QPoint tip = w->arrowTipGlobal();
        f.window.move(f.window.pos() + QPoint(40, 10));
        EXPECT_EQ(w->arrowTipGlobal(), tip + QPoint(40, 10));

        f.window.hide();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull()); // closed, and deleted on close
        EXPECT_EQ(content->parentWidget(), &f.window);

        f.window.show();
        w = f.popUp(Side::Upper);
    } // the window dies with its pop-up open: both go, nothing is handed to the dead
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(content.isNull());
}

} // namespace
