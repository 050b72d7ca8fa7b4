#include "border/klborderlistview.h"

#include "librarytestfixture.h"

namespace {

class BorderLibraryTest : public librarytest::LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        picture(res() + "/B-0.png", { 128, 128 }, Qt::gray);
        picture(res() + "/images/white.png", { 64, 64 }, Qt::white);
        write(app() + "/zig.bdr", "0.1,1,0,0\nL:0,0,1,1\n");
        picture(app() + "/zig.png", { 20, 10 });
        write(app() + "/more/lace.BDR", "0.1,1,0,0\nL:0,0,1,1\n");
        write(app() + "/readme.txt", "not a border");
    }
    QString app() const { return res() + "/Borders"; }
    QString user() const { return docs() + "/Borders"; }
    std::unique_ptr<KLBorderListView> library(double width)
    {
        auto lib = std::make_unique<KLBorderListView>(kit::Rect { 0, 0, width, 50 });
        lib->setAnimationDuration(0);
        waitForWorkers(*lib);
        return lib;
    }
};

TEST_F(BorderLibraryTest, ListsNoBorderThenTheApplicationBordersAndSeedsTheUserFolder)
{
    write(app() + "/broken.bdr", "one line");
    testsupport::LogCapture log;
    auto lib = library(240);
    // A file that does not read as a border is left out, with the reader's line.
    EXPECT_EQ(lib->resourcePaths(),
              QStringList({ "*NONE*", app() + "/more/lace.BDR", app() + "/zig.bdr" }));
    EXPECT_EQ(log.lines().filter("broken.bdr").size(), 1);
    EXPECT_TRUE(log.lines().contains("Local not exists:" + user()));
    EXPECT_TRUE(log.lines().contains("Load border file from '" + app() + "'."));
    EXPECT_TRUE(QFileInfo::exists(user() + "/more/lace.BDR"));

    // The user's copies do not matter to the list; a deleted one comes back.
    QFile::remove(user() + "/zig.bdr");
    testsupport::LogCapture again;
    lib->load();
    EXPECT_TRUE(again.lines().contains("Copy border file..."));
    EXPECT_TRUE(QFileInfo::exists(user() + "/zig.bdr"));
    EXPECT_EQ(lib->resourcePaths().size(), 3);
}

TEST_F(BorderLibraryTest, EntriesGetTheirThumbnailsFromWorkers)
{
    auto lib = library(240);
    ASSERT_EQ(lib->imgViews().size(), 3u);
    // "No border" shows the plate of B-0.png, marked; lace, without a
    // picture of its own, "white"; zig the zig.png beside it.
    const QSize thumbnails[] = { { 128, 128 }, { 64, 64 }, { 20, 10 } };
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(lib->imgViews()[i]->image().pixelSize(), thumbnails[i]) << i;
    EXPECT_EQ(lib->imgViews()[0]->borderFile(), std::nullopt);
    EXPECT_EQ(lib->imgViews()[2]->borderFile(), app() + "/zig.bdr");

    // "No border" reads as such on its tile: the plate, a struck-through
    // ring, dark words below.
    const QImage tile = lib->imgViews()[0]->image().pixels({ 128, 128 });
    EXPECT_TRUE(testsupport::sameColor(tile.pixelColor(8, 8), Qt::gray));
    for (QPoint onSign : { QPoint(64, 17), QPoint(64, 40), QPoint(50, 26) })
        EXPECT_TRUE(testsupport::sameColor(tile.pixelColor(onSign),
                                           KLBorderListView::kNoBorderSignColour, 40))
            << onSign.x() << "," << onSign.y();
    int dark = 0;
    for (int y = 70; y < 122; ++y)
        for (int x = 0; x < 128; ++x)
            dark += qGray(tile.pixel(x, y)) < 64;
    EXPECT_GT(dark, 60);

    // A load while the tasks of the previous one still run: every new entry
    // ends with its own picture.
    lib->load();
    lib->layout();
    lib->load();
    lib->layout();
    waitForWorkers(*lib);
    ASSERT_EQ(lib->imgViews().size(), 3u);
    EXPECT_EQ(lib->imgViews()[2]->image().pixelSize(), QSize(20, 10));
}

} // namespace
