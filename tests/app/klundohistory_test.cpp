#include "controllerfixture.h"

#include "app/klundohistory.h"
#include "freelayout/klfreelayoutitem.h"
#include "kit/render.h"
#include "kit/viewhost.h"
#include "serial/klcombinview.h"
#include "support/testsupport.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"

#include <QWheelEvent>

namespace {

// Mouse gestures as the window system delivers them to a canvas's host,
// at points of the canvas's window.
struct Gestures
{
    kit::ViewHost* host;

    QPointF at(kit::Point windowPoint) const { return host->toWidgetPoint(windowPoint); }
    void send(QEvent::Type type, kit::Point p, Qt::MouseButtons held) const
    {
        const QPointF w = at(p);
        QMouseEvent e(type, w, host->mapToGlobal(w),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(host, &e);
    }
    void drag(kit::Point from, kit::Point to) const
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int i = 1; i <= 4; ++i)
            send(QEvent::MouseMove, from + (to - from) * (i / 4.0), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
        QCoreApplication::processEvents();
    }
    void wheel(kit::Point p, int notches) const
    {
        const QPointF w = at(p);
        for (int i = 0; i < std::abs(notches); ++i) {
            QWheelEvent e(w, host->mapToGlobal(w), {}, { 0, notches > 0 ? 120 : -120 },
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(host, &e);
        }
        QCoreApplication::processEvents();
    }
};

kit::Point centreOf(const kit::View& v)
{
    return v.convertPointToView(v.bounds().centre(), nullptr);
}

} // namespace

// An edit of each part of every canvas, made as the person makes it, is one
// step: undo gives back the render from before it, redo the render after it,
// and the Edit menu names it.
TEST_F(ControllerTest, EveryEditUndoesAndRedoesToIdenticalRenders)
{
    KLController& c = start();
    KLDocumentCommands& docs = c.documents();
    QAction* undo = c.window()->undoAction();
    QAction* redo = c.window()->redoAction();

    QStringList photos;
    for (QColor colour : { QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue) }) {
        photos.append(m_dir.filePath(colour.name().mid(1) + ".png"));
        ASSERT_TRUE(
            testsupport::writeImage(testsupport::solidImage({ 80, 60 }, colour), photos.back()));
    }
    c.selectTemplate(writeTemplate("two.fdd", 2));
    const QString three = writeTemplate("three.fdd", 3);
    m_dialogs->saveAnswers = { Dialogs::SaveAnswer::Discard };
    docs.newDocument();

    auto gestures = [&](Mode mode) {
        return Gestures { c.modeState(mode).host };
    };
    auto cell = [&](int i) {
        return c.canvas()->items().at(size_t(i));
    };
    auto print = [&](int i) {
        return c.layoutView()->items().at(size_t(i));
    };
    auto caption = [&](Mode mode) {
        return c.canvasOfMode(mode).textItems().back();
    };
    // Renders without the serial column's selection ring, which only the
    // screen shows.
    auto render = [&](KLCanvasView& canvas) {
        if (&canvas == c.combinView())
            canvas.window()->makeFirstResponder(&canvas);
        return kit::renderToImage(canvas);
    };
    auto settle = [&] {
        waitUntil([&] { return !c.combinView()->layoutInProgress(); });
        QCoreApplication::processEvents();
    };

    struct Step
    {
        Mode mode;
        const char* name;
        std::function<void()> edit;
    };
    const std::vector<Step> steps = {
        { Mode::Template, "EDIT_ADD_PHOTOS",
          [&] {
              dropFiles(c.modeState(Mode::Template).host,
                        gestures(Mode::Template).at(centreOf(*cell(0))).toPoint(),
                        photos.mid(0, 2));
          } },
        { Mode::Template, "EDIT_PAN_PHOTO",
          [&] {
              gestures(Mode::Template)
                  .drag(centreOf(*cell(0)), centreOf(*cell(0)) + kit::Point(9, 6));
          } },
        { Mode::Template, "EDIT_ZOOM_PHOTO",
          [&] {
              // Notches on a selected cell merge into one step.
              gestures(Mode::Template).drag(centreOf(*cell(1)), centreOf(*cell(1)));
              gestures(Mode::Template).wheel(centreOf(*cell(1)), -8);
          } },
        { Mode::Template, "EDIT_SWAP_PHOTOS",
          [&] {
              gestures(Mode::Template).drag(centreOf(*cell(0)), centreOf(*cell(1)));
          } },
        { Mode::Template, "EDIT_TEMPLATE",
          [&] {
              c.selectTemplate(three);
          } },
        { Mode::Template, "EDIT_ADD_CAPTION",
          [&] {
              c.addText();
          } },
        { Mode::Template, "EDIT_MOVE",
          [&] {
              gestures(Mode::Template)
                  .drag(centreOf(*caption(Mode::Template)),
                        centreOf(*caption(Mode::Template)) + kit::Point(-30, 12));
          } },
        { Mode::FreeLayout, "EDIT_ADD_PHOTOS",
          [&] {
              c.openPhotos(photos);
          } },
        { Mode::FreeLayout, "EDIT_BACKGROUND",
          [&] {
              c.applyBackground({ 1, {}, {} });
          } },
        { Mode::FreeLayout, "EDIT_MOVE",
          [&] {
              gestures(Mode::FreeLayout)
                  .drag(centreOf(*print(2)), centreOf(*print(2)) + kit::Point(40, -25));
          } },
        { Mode::FreeLayout, "EDIT_BRING_TO_FRONT",
          [&] {
              // A point where a print lies on top that is not the topmost one.
              kit::View* box = c.layoutView()->boundView();
              for (double y = 15; y < box->bounds().height(); y += 9) {
                  for (double x = 15; x < box->bounds().width(); x += 9) {
                      kit::View* hit =
                          box->hitTest(box->convertPointToView({ x, y }, box->superview()));
                      if (hit && hit != box && hit != box->subviews().back().get()) {
                          const kit::Point p = box->convertPointToView({ x, y }, nullptr);
                          box->window()->mouseDown({ p, 2, {} });
                          box->window()->mouseUp({ p, 2, {} });
                          return;
                      }
                  }
              }
              FAIL() << "every print lies under the topmost one";
          } },
        { Mode::Serial, "EDIT_ADD_PHOTOS",
          [&] {
              c.openPhotos(photos);
              settle();
          } },
        { Mode::Serial, "EDIT_CLEAR",
          [&] {
              m_dialogs->answers = { Dialogs::Answer::Yes };
              c.newCanvas();
              settle();
          } },
    };

    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        c.layoutChanged(step.mode);
        QCoreApplication::processEvents();
        KLCanvasView& canvas = c.canvasOfMode(step.mode);
        const QImage before = render(canvas);
        step.edit();
        docs.checkpoint();
        const QImage after = render(canvas);
        EXPECT_NE(before, after);
        ASSERT_TRUE(undo->isEnabled());
        EXPECT_EQ(undo->text(), kit::localized("MENU_UNDO_STEP").arg(kit::localized(step.name)));

        // Undone from another mode: the step's own mode comes back to show it.
        c.layoutChanged(step.mode == Mode::Serial ? Mode::Template : Mode::Serial);
        undo->trigger();
        settle();
        EXPECT_EQ(c.currentMode(), step.mode);
        EXPECT_EQ(render(canvas), before);
        ASSERT_TRUE(redo->isEnabled());
        EXPECT_EQ(redo->text(), kit::localized("MENU_REDO_STEP").arg(kit::localized(step.name)));
        redo->trigger();
        settle();
        EXPECT_EQ(render(canvas), after);
        EXPECT_FALSE(redo->isEnabled());
    }

    // Steps were taken one by one; all of them undo back to the start, and
    // the collage then counts as unchanged.
    EXPECT_EQ(docs.history().stack().count(), int(steps.size()));
    while (undo->isEnabled())
        undo->trigger();
    settle();
    EXPECT_FALSE(docs.isModified());
    EXPECT_TRUE(c.canvas()->textItems().empty());
    EXPECT_FALSE(c.canvas()->items().front()->image());

    // New empties the history.
    redo->trigger();
    m_dialogs->saveAnswers = { Dialogs::SaveAnswer::Discard };
    docs.newDocument();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}
