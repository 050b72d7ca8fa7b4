#include "template/klresourcelistview.h"

#include "border/librarytestfixture.h"
#include "kit/folders.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"

#include <QImageReader>

namespace {

// A template of `cells` full-width rows, declared w by h.
QByteArray templateText(int cells, const char* dimension = "1,1")
{
    QByteArray text = QByteArray(dimension) + "\n; comment\n";
    for (int i = 0; i < cells; ++i)
        text += QByteArray("0,") + QByteArray::number(double(i) / std::max(cells, 1)) + ",1,"
            + QByteArray::number(1.0 / std::max(cells, 1)) + ":L,0.02:*\n";
    return text;
}

class TemplateLibraryTest : public librarytest::LibraryTest
{
protected:
    QString shipped() const { return res() + "/Templates"; }
    QString user() const { return docs() + "/Templates"; }
    // A library 240 wide (three columns) with no animation, its thumbnails
    // rendered.
    std::unique_ptr<KLResourceListView> library(double width = 240)
    {
        auto view = std::make_unique<KLResourceListView>(kit::Rect { 0, 0, width, 100 });
        view->setAnimationDuration(0);
        waitForWorkers(*view);
        return view;
    }
};

TEST_F(TemplateLibraryTest, SeedsTheUserFolderAndBringsBackADeletedTemplate)
{
    write(shipped() + "/a.fdd", templateText(2));
    write(shipped() + "/sub/b.fdd", templateText(3));
    auto lib = library();
    EXPECT_EQ(lib->resourcePaths(), QStringList({ user() + "/a.fdd", user() + "/sub/b.fdd" }));

    // The user's own edit is never overwritten; a deleted shipped file comes
    // back with the log line.
    write(user() + "/a.fdd", templateText(4));
    QFile::remove(user() + "/sub/b.fdd");
    testsupport::LogCapture log;
    lib->load();
    const QStringList lines = log.lines();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Copy new template sub/b.fdd to %1").arg(user() + "/sub/b.fdd")))
        << lines.join('\n').toStdString();
    EXPECT_EQ(KLResourceListView::itemCount(user() + "/a.fdd"), 4);
    EXPECT_TRUE(QFileInfo::exists(user() + "/sub/b.fdd"));
}

TEST_F(TemplateLibraryTest, OrdersByCountKeepingTheWalkOrderOfTies)
{
    write(shipped() + "/e.fdd", templateText(3));
    write(shipped() + "/b.fdd", templateText(12)); // counts as 9
    write(shipped() + "/c.fdd", templateText(2));
    write(shipped() + "/a.fdd", templateText(3));
    write(shipped() + "/d.FdD", templateText(2));
    write(shipped() + "/notes.txt", "not a template");
    auto lib = library();
    EXPECT_EQ(names(lib->resourcePaths()),
              QStringList({ "c.fdd", "d.FdD", "a.fdd", "e.fdd", "b.fdd" }));
    ASSERT_EQ(lib->imgViews().size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(lib->imgViews()[i]->path(), lib->resourcePaths()[qsizetype(i)]);
        EXPECT_EQ(lib->imgViews()[i]->tag(), i < 2 ? 2 : i < 4 ? 3 : 9);
    }
}

TEST_F(TemplateLibraryTest, FilterShowsOnlyThatCount)
{
    const int counts[] = { 2, 3, 9, 3, 12, 4 };
    for (int i = 0; i < 6; ++i)
        write(shipped() + QStringLiteral("/t%1.fdd").arg(i), templateText(counts[i]));
    auto lib = library(240);
    auto shown = [&] {
        QStringList out;
        for (const KLImageView* v : lib->imgViews())
            if (!v->isHidden())
                out.append(QFileInfo(v->path()).baseName());
        return out;
    };
    lib->_setFilter(3);
    EXPECT_EQ(shown(), QStringList({ "t1", "t3" }));
    EXPECT_EQ(lib->imgViews()[1]->frame(), kit::Rect(10, 10, 64, 64)); // first of t1, t3
    // A reload keeps the filter in force.
    lib->load();
    lib->layout();
    EXPECT_EQ(shown(), QStringList({ "t1", "t3" }));
    lib->_setFilter(0);
    EXPECT_EQ(shown().size(), 6);
}

TEST_F(TemplateLibraryTest, TakesDroppedTemplates)
{
    write(shipped() + "/a.fdd", templateText(2));
    auto lib = library();
    const QString t1 = write(m_dir.filePath("in/x.FDD"), templateText(3));
    const QString t2 = write(m_dir.filePath("in/y.fdd"), templateText(4));
    const QString notTemplate = write(m_dir.filePath("in/p.png"), "png");
    kit::Window window;
    window.setRootView(std::move(lib));
    auto* view = static_cast<KLResourceListView*>(window.rootView());
    kit::DragInfo drop { { 20, 20 }, { t1, t2, notTemplate }, true };
    EXPECT_EQ(window.draggingEntered(drop), kit::DragOperation::Copy);
    EXPECT_TRUE(window.performDrop(drop));
    waitForWorkers(*view);
    EXPECT_EQ(names(view->resourcePaths()), QStringList({ "a.fdd", "x.FDD", "y.fdd" }));
    EXPECT_FALSE(QFileInfo::exists(user() + "/p.png"));
    EXPECT_FALSE(window.performDrop({ { 20, 20 }, {}, true }));
    EXPECT_EQ(window.draggingEntered({ { 20, 20 }, { t1 }, false }), kit::DragOperation::None);

    // The next start (a new library over the same folders) still lists them.
    EXPECT_EQ(names(library()->resourcePaths()), names(view->resourcePaths()));
}

TEST_F(TemplateLibraryTest, RemovalKeepsTheThumbnailAndTheEntriesInStep)
{
    for (int i = 0; i < 3; ++i)
        write(user() + QStringLiteral("/t%1.fdd").arg(i), templateText(2));
    write(shipped() + "/u.fdd", templateText(2));
    auto lib = library(240);
    lib->removeTemplate(user() + "/t0.fdd");
    EXPECT_TRUE(QFileInfo::exists(user() + "/t0.png")); // the thumbnail stays
    EXPECT_EQ(names(lib->resourcePaths()), QStringList({ "t1.fdd", "t2.fdd", "u.fdd" }));
    ASSERT_EQ(lib->imgViews().size(), 3u);
    EXPECT_EQ(lib->imgViews()[0]->path(), user() + "/t1.fdd");
}

TEST_F(TemplateLibraryTest, RendersMissingThumbnailsOnWorkersAndKeepsExistingOnes)
{
    // Two polygon templates and one whose cell is the word "love".
    write(shipped() + "/wide.fdd", templateText(2, "3,2"));
    write(shipped() + "/tall.fdd", templateText(2, "1,2"));
    write(shipped() + "/word.fdd", "1,1\n0,0,1,1:T:Liberation Sans,72,love\n");
    write(shipped() + "/kept.fdd", templateText(2));
    write(user() + "/kept.fdd", templateText(2));
    picture(user() + "/kept.png", { 10, 10 });

    auto lib = std::make_unique<KLResourceListView>(kit::Rect { 0, 0, 240, 100 });
    // The grid is there before the thumbnails: placeholders first.
    ASSERT_EQ(lib->imgViews().size(), 4u);
    waitForWorkers(*lib);

    const struct
    {
        const char* name;
        QSize size;
    } expected[] = { { "wide", { 128, 85 } },
                     { "tall", { 128, 256 } },
                     { "word", { 128, 128 } },
                     { "kept", { 10, 10 } } };
    for (const auto& e : expected) {
        const QString png = user() + "/" + e.name + ".png";
        EXPECT_EQ(QImageReader(png).size(), e.size) << e.name;
        const auto it = std::find_if(lib->imgViews().begin(), lib->imgViews().end(), [&](auto* v) {
            return v->path() == user() + "/" + e.name + ".fdd";
        });
        ASSERT_NE(it, lib->imgViews().end());
        EXPECT_EQ((*it)->image().pixelSize(), e.size) << e.name;
    }
    // Text masks come out off the main thread as they do on it.
    const QString here = m_dir.filePath("word-main.png");
    ASSERT_TRUE(KLResourceListView::renderThumbnail(user() + "/word.fdd", here));
    const QImage worker(user() + "/word.png"), main(here);
    ASSERT_EQ(worker.size(), main.size());
    EXPECT_EQ(worker, main);
    EXPECT_NE(worker.pixel(64, 64), worker.pixel(2, 2)); // the word shows
}

TEST_F(TemplateLibraryTest, ClickPostsSelectionThenDeselection)
{
    write(shipped() + "/a.fdd", templateText(2));
    kit::Window window;
    window.setRootView(library());
    auto* lib = static_cast<KLResourceListView*>(window.rootView());
    testsupport::NotificationRecorder recorder(kit::kLayoutItemSelected, kit::kTextViewUnselected);
    const kit::Rect cell = lib->imgViews()[0]->frame();
    window.mouseDown({ cell.centre(), 1, {} });
    window.mouseUp({ cell.centre(), 1, {} });
    EXPECT_EQ(
        recorder.names(),
        QStringList({ kit::kLayoutItemSelected.toString(), kit::kTextViewUnselected.toString() }));
    EXPECT_EQ(recorder.lastObject(kit::kLayoutItemSelected), lib->imgViews()[0]);
    EXPECT_EQ(window.firstResponder(), lib->imgViews()[0]);
    const kit::Image before = lib->imgViews()[0]->image();
    window.keyDown({ kit::KeyCode::Delete, {}, {} });
    EXPECT_EQ(lib->imgViews()[0]->image(), before);
}

} // namespace
