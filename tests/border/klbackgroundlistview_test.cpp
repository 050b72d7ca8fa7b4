#include "border/klbackgroundlistview.h"

#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "librarytestfixture.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"

namespace {

class BackgroundLibraryTest : public librarytest::LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        picture(res() + "/white.png", { 64, 64 }, Qt::white);
        picture(res() + "/black.png", { 64, 64 }, Qt::black);
        picture(app() + "/paper.jpg", { 40, 40 });
        picture(app() + "/wood.JPEG", { 30, 20 });
    }
    QString app() const { return res() + "/Backgrounds"; }
    QString user() const { return docs() + "/Backgrounds"; }
    std::unique_ptr<KLBackgroundListView> library(double width = 240)
    {
        auto lib = std::make_unique<KLBackgroundListView>(kit::Rect { 0, 0, width, 50 });
        lib->setAnimationDuration(0);
        waitForWorkers(*lib);
        return lib;
    }
};

TEST_F(BackgroundLibraryTest, ListsWhiteBlackThenTheUserFolder)
{
    picture(user() + "/mine/sky.png", { 8, 8 });
    picture(user() + "/scan.bmp", { 8, 8 });
    picture(user() + "/photo.tiff", { 8, 8 });
    picture(user() + "/old.tif", { 8, 8 });
    write(user() + "/notes.txt", "text");
    testsupport::LogCapture log;
    auto lib = library();
    EXPECT_EQ(lib->resourcePaths(),
              QStringList({ res() + "/white.png", res() + "/black.png", user() + "/mine/sky.png",
                            user() + "/paper.jpg", user() + "/photo.tiff", user() + "/scan.bmp",
                            user() + "/wood.JPEG" }));
    const QStringList lines = log.lines();
    const qsizetype start = lines.indexOf("Load directory:" + docs());
    ASSERT_GE(start, 0);
    EXPECT_EQ(lines.value(start + 1), "===>Load");
    EXPECT_TRUE(lines.contains("Copy new background paper.jpg to " + user() + "/paper.jpg"));

    // Pictures arrive from the workers; white and black are the resources.
    ASSERT_EQ(lib->imgViews().size(), 7u);
    EXPECT_EQ(lib->imgViews()[0]->image().pixelSize(), QSize(64, 64));
    EXPECT_TRUE(testsupport::sameColor(lib->imgViews()[1]->image().fullPixels().pixelColor(3, 3),
                                       Qt::black));
    EXPECT_EQ(lib->imgViews()[3]->path(), QString()); // no paper.png beside paper.jpg
}

TEST_F(BackgroundLibraryTest, EntriesDrawTheirPictureFittedAndCentred)
{
    auto lib = library();
    KLBackgroundView* wood = lib->imgViews()[3]; // 30 × 20, red
    ASSERT_EQ(wood->image().pixelSize(), QSize(30, 20));
    const QImage pixels = kit::renderToImage(*wood, 1.0);
    ASSERT_EQ(pixels.size(), QSize(64, 64));
    // Fitted to 64 × 42.7, centred: empty above and below, red inside.
    EXPECT_EQ(testsupport::pixelYUp(pixels, 32, 4).alpha(), 0);
    EXPECT_EQ(testsupport::pixelYUp(pixels, 32, 60).alpha(), 0);
    EXPECT_TRUE(testsupport::sameColor(testsupport::pixelYUp(pixels, 32, 32), Qt::red, 8));
    EXPECT_TRUE(testsupport::sameColor(testsupport::pixelYUp(pixels, 3, 16), Qt::red, 8));
}

TEST_F(BackgroundLibraryTest, TakesDroppedPictures)
{
    kit::Window window;
    window.setRootView(library());
    auto* view = static_cast<KLBackgroundListView*>(window.rootView());
    const kit::DragInfo drop { { 20, 20 },
                               { picture(m_dir.filePath("in/a.PNG"), { 8, 8 }),
                                 picture(m_dir.filePath("in/c.jpeg"), { 8, 8 }),
                                 write(m_dir.filePath("in/d.txt"), "text") },
                               true };
    EXPECT_EQ(window.draggingEntered(drop), kit::DragOperation::Copy);
    EXPECT_TRUE(window.performDrop(drop));
    waitForWorkers(*view);
    EXPECT_EQ(
        names(view->resourcePaths()),
        QStringList({ "white.png", "black.png", "a.PNG", "c.jpeg", "paper.jpg", "wood.JPEG" }));
    EXPECT_EQ(view->imgViews().size(), 6u);
    EXPECT_FALSE(window.performDrop({ { 20, 20 }, {}, true }));

    // The next start (a new library over the same folders) still lists them.
    EXPECT_EQ(names(library()->resourcePaths()), names(view->resourcePaths()));
}

TEST_F(BackgroundLibraryTest, RemovesOnlyUserPicturesAlsoThroughAnEntryKeptOverAReload)
{
    picture(user() + "/a.png", { 40, 40 });
    picture(user() + "/x.png", { 8, 8 });
    auto lib = library(240); // white, black, a, paper, wood, x
    lib->removeView(lib->imgViews()[0]); // white is an application resource
    lib->removeView(lib->imgViews()[3]); // paper.jpg is the copy of a shipped picture
    EXPECT_TRUE(QFileInfo::exists(res() + "/white.png"));
    EXPECT_TRUE(QFileInfo::exists(user() + "/paper.jpg"));
    ASSERT_EQ(lib->resourcePaths().size(), 6);

    // The entry a canvas keeps gets its picture, and still names its file
    // for removal, after a reload.
    const BackgroundEntry chosen = lib->imgViews()[2]->entry();
    lib->load();
    lib->layout();
    waitForWorkers(*lib);
    EXPECT_TRUE(testsupport::sameColor(chosen.image.fullPixels().pixelColor(20, 20), Qt::red, 8));
    lib->removeView(chosen);
    EXPECT_FALSE(QFileInfo::exists(user() + "/a.png"));
    EXPECT_EQ(names(lib->resourcePaths()),
              QStringList({ "white.png", "black.png", "paper.jpg", "wood.JPEG", "x.png" }));
    ASSERT_EQ(lib->imgViews().size(), 5u);
    EXPECT_EQ(lib->imgViews()[2]->tag(), 3); // tags are not renumbered
    EXPECT_EQ(lib->imgViews()[2]->frame(), kit::Rect(158, 84, 64, 64));
    EXPECT_EQ(lib->imgViews()[3]->frame(), kit::Rect(10, 10, 64, 64));
}

TEST_F(BackgroundLibraryTest, ClickPostsDeselectionThenTheEntry)
{
    kit::Window window;
    window.setRootView(library());
    auto* lib = static_cast<KLBackgroundListView*>(window.rootView());
    testsupport::NotificationRecorder recorder(kit::kTextViewUnselected,
                                               kit::kBackgroundItemSelected);
    const kit::Point at = lib->imgViews()[3]->frame().centre();
    window.mouseDown({ at, 1, {} });
    window.mouseUp({ at, 1, {} });
    EXPECT_EQ(recorder.names(),
              QStringList({ kit::kTextViewUnselected.toString(),
                            kit::kBackgroundItemSelected.toString() }));
    EXPECT_EQ(recorder.lastObject(kit::kBackgroundItemSelected), lib->imgViews()[3]);
}

} // namespace
