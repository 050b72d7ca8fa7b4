#include "kit/graphicscontext.h"
#include "kit/viewhost.h"
#include "recorderview.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

using kit::Rect;
using kit::View;

namespace {

// Logs what reaches it and fills its lower left (0, 0, 20, 10) red.
class Probe : public kittest::Recorder
{
public:
    explicit Probe(QStringList* log) : Recorder({}, "probe", log) { accepts = true; }
    void drawRect(kit::GraphicsContext& gc, const Rect&) override
    {
        gc.setColor(Qt::red);
        gc.fillRect({ 0, 0, 20, 10 });
    }
};

// A 100 × 80 host inside a shown parent, so that geometry changes apply at once.
struct HostFixture
{
    QStringList log;
    QWidget parent;
    kit::ViewHost* host;
    Probe* probe;

    HostFixture()
    {
        host = new kit::ViewHost(&parent); // owned by `parent`
        auto p = std::make_unique<Probe>(&log);
        probe = p.get();
        host->viewWindow()->setRootView(std::move(p));
        parent.resize(200, 200);
        host->setGeometry(0, 0, 100, 80);
        parent.show();
    }
    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, at, host->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(host, &e);
    }
};

} // namespace

TEST(ViewHost, WheelEventsNoViewUsesScrollTheSurroundingArea)
{
    // A tall host in a short scroll area; its upper half uses the wheel.
    struct Half : View
    {
        bool scrollWheel(const kit::ScrollEvent& e) override { return e.locationInWindow.y > 200; }
    };
    QScrollArea area;
    area.resize(120, 100);
    auto* host = new kit::ViewHost();
    host->viewWindow()->setRootView(std::make_unique<Half>());
    host->resize(100, 400);
    area.setWidget(host);
    area.show();
    QApplication::processEvents();
    QScrollBar* bar = area.verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);

    auto wheel = [&](QPointF at, QPoint angle, QPoint pixels = {}) {
        QWheelEvent e(at, host->mapToGlobal(at), pixels, angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(host, &e);
    };
    wheel({ 50, 50 }, { 0, 120 }); // y = 350 in the window: used
    EXPECT_EQ(bar->value(), 0);
    wheel({ 50, 50 }, { 0, -120 });
    wheel({ 50, 50 }, { 0, 0 }, { 0, -30 }); // touchpad pixels
    EXPECT_EQ(bar->value(), 0);
    wheel({ 50, 300 }, { 0, -120 }); // y = 100: unused, the area scrolls
    EXPECT_GT(bar->value(), 0);
}

TEST(ViewHost, MouseWheelAndKeysArriveFlipped)
{
    HostFixture f;
    EXPECT_EQ(f.host->viewWindow()->contentSize(), kit::Size(100, 80));
    f.mouse(QEvent::MouseButtonPress, { 10, 70 }, Qt::LeftButton);
    f.mouse(QEvent::MouseMove, { 30, 20 }, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonRelease, { 30, 20 }, Qt::LeftButton);
    // Qt reports the second click of a double click either as a double-click
    // event alone or as a press followed by one; both count two, once.
    f.mouse(QEvent::MouseButtonDblClick, { 30, 20 }, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonRelease, { 30, 20 }, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonPress, { 30, 20 }, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonDblClick, { 30, 20 }, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonRelease, { 30, 20 }, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonPress, { 5, 5 }, Qt::RightButton);
    EXPECT_EQ(f.log.join(' '),
              "down 10,10 x1:probe drag 30,60 x1:probe up 30,60 x1:probe "
              "down 30,60 x2:probe up 30,60 x2:probe down 30,60 x3:probe "
              "up 30,60 x3:probe right 5,75 x1:probe");
    EXPECT_EQ(f.host->viewWindow()->firstResponder(), f.probe);

    f.log.clear();
    QWheelEvent away({ 50, 40 }, f.host->mapToGlobal(QPointF(50, 40)), {}, { 0, 120 }, Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.host, &away);
    QWheelEvent toward({ 50, 40 }, {}, {}, { -60, -240 }, Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.host, &toward);
    for (int key : { Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Up }) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(f.host, &press);
    }
    EXPECT_EQ(f.log.join(' '),
              "scroll 0 1:probe scroll -0.5 -2:probe key 51:probe key 48:probe key 126:probe");

    f.host->setGeometry(0, 0, 120, 60);
    EXPECT_EQ(f.probe->unrotatedFrame(), Rect(0, 0, 120, 60));
}

TEST(ViewHost, PaintsWithTheOriginAtTheLowerLeft)
{
    // The probe fills (0, 0, 20, 10); at any device pixel ratio (QT_SCALE_FACTOR)
    // it covers exactly that many device pixels at the bottom left.
    HostFixture f;
    const QImage shot = f.host->grab().toImage();
    const int dpr = qRound(shot.devicePixelRatio());
    ASSERT_EQ(shot.size(), QSize(100, 80) * dpr);
    const std::pair<QPoint, bool> samples[] = {
        { { 0, 0 }, true },
        { { 20 * dpr - 1, 10 * dpr - 1 }, true },
        { { 20 * dpr, 5 }, false },
        { { 5, 10 * dpr }, false },
    };
    for (auto [p, red] : samples) {
        EXPECT_EQ(testsupport::sameColor(testsupport::pixelYUp(shot, p.x(), p.y()), Qt::red), red)
            << p.x() << "," << p.y();
    }
}

TEST(ViewHost, DroppedLocalFilesReachTheView)
{
    HostFixture f;
    f.probe->registerForFileDrops(true);
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile("/tmp/a b.jpg"), QUrl("https://example.org/c.jpg"),
                   QUrl::fromLocalFile("/tmp/d.png") });
    QDragEnterEvent enter({ 10, 10 }, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.host, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move({ 20, 30 }, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.host, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    QDropEvent drop({ 20, 30 }, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.host, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(f.log.last(), "perform /tmp/a b.jpg|/tmp/d.png 20,50:probe");

    // Text drags and drags that only offer a move are not taken.
    QMimeData text;
    text.setText("hello");
    QDragEnterEvent textEnter({ 10, 10 }, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.host, &textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
    QDragMoveEvent moveOnly({ 20, 30 }, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.host, &moveOnly);
    EXPECT_FALSE(moveOnly.isAccepted());
}

TEST(ViewHost, ContextMenusRunTheChosenEntryAfterClosing)
{
    HostFixture f;
    bool removed = false;
    bool wrong = false;
    f.probe->menu = kit::Menu { {
        { "Save & close", [&] { wrong = true; }, true, false, false, {} },
        kit::MenuItem::makeSeparator(),
        { "More",
          {},
          true,
          false,
          false,
          { { "Inner", [&] { wrong = true; }, false, true, false, {} } } },
        // Removing the view that offered the menu must be safe.
        { "Remove",
          [&] {
              removed = f.host->viewWindow()->rootView() == f.probe;
              f.host->viewWindow()->setRootView(nullptr);
          },
          true,
          false,
          false,
          {} },
    } };
    QStringList titles;
    QPoint shownAt;
    f.host->execMenu = [&](QMenu& menu, QPoint global) -> QAction* {
        shownAt = global;
        for (QAction* a : menu.actions()) {
            titles << a->text();
            if (QMenu* sub = a->menu()) {
                titles << sub->actions().at(0)->text()
                        + (sub->actions().at(0)->isEnabled() ? "" : " (off)")
                        + (sub->actions().at(0)->isChecked() ? " (on)" : "");
            }
        }
        return menu.actions().at(3);
    };
    f.mouse(QEvent::MouseButtonPress, { 15, 25 }, Qt::RightButton);
    EXPECT_EQ(titles, QStringList({ "Save && close", "", "More", "Inner (off) (on)", "Remove" }));
    EXPECT_EQ(shownAt, f.host->mapToGlobal(QPoint(15, 25)));
    EXPECT_TRUE(removed);
    EXPECT_FALSE(wrong);
    EXPECT_EQ(f.host->viewWindow()->rootView(), nullptr);
}
