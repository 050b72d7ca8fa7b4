// The media browser in the window: shown or hidden from the View menu and
// remembered, its sources listed at start, and photos dragged out of its
// grid dropped through each canvas's host.

#include "controllerfixture.h"

#include "app/klmediapane.h"
#include "kit/localisation.h"
#include "kit/render.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "media/medianodeviewcontroller.h"
#include "media/mediaobjectmodel.h"
#include "support/testsupport.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include <QMimeData>

namespace {

QAction* mediaBrowserItem(KLController& c)
{
    for (QAction* item : c.window()->findChildren<QAction*>()) {
        if (item->text() == kit::localized("MENU_MEDIA_BROWSER"))
            return item;
    }
    return nullptr;
}

class MediaPaneTest : public ControllerTest
{
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        kit::Defaults::standard().remove(KLMediaPane::kShownKey);
        // The session's Pictures folder, as the desktop names it.
        m_pictures = m_home.path() + "/Pictures";
        QDir().mkpath(m_pictures);
        const QString dirs = qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs";
        const QByteArray line = "XDG_PICTURES_DIR=\"" + m_pictures.toUtf8() + "\"\n";
        ASSERT_FALSE(testsupport::writeFile(dirs, line).isEmpty());
        ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage({ 90, 60 }, Qt::blue),
                                            m_pictures + "/blue.png"));
    }
    void TearDown() override
    {
        ControllerTest::TearDown();
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs");
    }

    QTemporaryDir m_home;
    QString m_pictures;
};

TEST_F(MediaPaneTest, APhotoDraggedFromTheGridLandsOnEachCanvasAndThePaneHidesFromTheViewMenu)
{
    KLController& c = start();
    c.selectTemplate(writeTemplate("one.fdd", 1));
    KLMediaBrowserHost& browser = c.media().browser();
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return !browser.libraryController().topNodes().empty(); }));
    const MediaNode* pictures = browser.libraryController().topNodes().front();
    EXPECT_EQ(pictures->location, m_pictures);
    ASSERT_TRUE(browser.nodeViewController()->selectNode(pictures->identifier));
    MediaObjectModel* grid = browser.objectViewController()->model();
    ASSERT_EQ(grid->rowCount(), 1);

    for (Mode mode : { Mode::Template, Mode::FreeLayout, Mode::Serial }) {
        SCOPED_TRACE(int(mode));
        c.layoutChanged(mode);
        QCoreApplication::processEvents();
        kit::ViewHost* host = c.modeState(mode).host;
        KLCanvasView& canvas = c.canvasOfMode(mode);
        const kit::Point middle = canvas.convertPointToView(canvas.bounds().centre(), nullptr);
        std::unique_ptr<QMimeData> mime(grid->mimeData({ grid->index(0) }));
        EXPECT_TRUE(dropMime(host, host->toWidgetPoint(middle).toPoint(), mime.get()));

        // The photo shows in the canvas's render.
        const QImage render = kit::renderToImage(canvas);
        int blue = 0;
        for (int y = 0; y < render.height(); y += 2)
            for (int x = 0; x < render.width(); x += 2)
                blue += render.pixelColor(x, y) == QColor(0, 0, 255);
        EXPECT_GT(blue, 50);
        if (mode == Mode::Template) {
            ASSERT_TRUE(c.canvas()->items().front()->image());
            EXPECT_EQ(c.canvas()->items().front()->image()->filePath(), m_pictures + "/blue.png");
        }
    }

    // The View menu hides it, which the next start remembers.
    QWidget* pane = browser.nodeViewController();
    QAction* item = mediaBrowserItem(c);
    ASSERT_TRUE(item);
    EXPECT_TRUE(pane->isVisible());
    // Hidden, it gives its width to the canvas.
    const int canvas = c.window()->canvasAreaSize().width();
    item->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(pane->isVisible());
    EXPECT_GE(c.window()->canvasAreaSize().width(), canvas + KLMainWindow::kMediaPaneWidth - 8);

    KLController& again = start();
    EXPECT_FALSE(mediaBrowserItem(again)->isChecked());
    EXPECT_FALSE(again.media().browser().nodeViewController()->isVisible());
    mediaBrowserItem(again)->trigger();
    EXPECT_TRUE(again.media().browser().nodeViewController()->isVisible());
    EXPECT_EQ(kit::Defaults::standard().boolForKey(KLMediaPane::kShownKey), true);
}

} // namespace
