#include "controllerfixture.h"

#include "border/klbackgroundlistview.h"
#include "border/klborderlistview.h"
#include "kit/localisation.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "template/klresourceitem.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QPushButton>
#include <QToolTip>

namespace {

QString writePicture(const QTemporaryDir& dir, const QString& name, QColor color)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(testsupport::writeImage(testsupport::solidImage({ 40, 30 }, color), path));
    return path;
}

} // namespace

TEST_F(ControllerTest, RemovingATemplateAsksThenLoadsTheFirstLeft)
{
    KLController& c = start();
    KLResourceListView* library = c.resourceListView();
    const QString chosen = *library->addTemplateFromURL(writeTemplate("mine.fdd", 3));
    library->load();
    c.selectTemplate(chosen);

    // A file that cannot be deleted (a folder has taken its place) stays
    // listed and chosen, and the person is told.
    ASSERT_TRUE(QFile::rename(chosen, chosen + QStringLiteral(".kept")));
    ASSERT_TRUE(QDir().mkpath(chosen + QStringLiteral("/inside")));
    m_dialogs->answers = { Dialogs::Answer::Yes };
    c.removeItem();
    EXPECT_EQ(m_dialogs->shown.back().message,
              kit::localized("DELETE_FAILED").arg(QFileInfo(chosen).fileName()));
    EXPECT_TRUE(library->resourcePaths().contains(chosen));
    EXPECT_EQ(c.currentResourceTemplate(), chosen);
    ASSERT_TRUE(QDir(chosen).removeRecursively());
    ASSERT_TRUE(QFile::rename(chosen + QStringLiteral(".kept"), chosen));

    m_dialogs->answers = { Dialogs::Answer::Yes };
    c.removeItem();
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_FALSE(library->resourcePaths().contains(chosen));
    EXPECT_EQ(c.currentResourceTemplate(), library->resourcePaths().front());
    EXPECT_EQ(c.canvas()->resourcePath(), library->resourcePaths().front());
}

TEST_F(ControllerTest, BackgroundsAreAddedAndRemovedFromEveryCanvasShowingThem)
{
    KLController& c = start();
    KLBackgroundListView* library = c.backgroundListView();
    const int before = library->resourcePaths().size();
    c.selectView(201);

    m_dialogs->filesToChoose = { { writePicture(m_dir, "a.png", Qt::red),
                                   writePicture(m_dir, "c.bmp", Qt::blue) } };
    c.libraries().addNewItem();
    ASSERT_EQ(library->resourcePaths().size(), before + 2);
    const QString added = library->resourcePaths().filter(QStringLiteral("/c.bmp")).value(0);
    ASSERT_FALSE(added.isEmpty());

    // Chosen in the free layout, then shown on the template canvas too.
    BackgroundEntry entry { 7, kit::Image(), added };
    c.selectView(101);
    c.applyBackground(entry);
    c.selectView(100);
    c.applyBackground(entry);
    c.selectView(101);
    m_dialogs->answers = { Dialogs::Answer::Yes };
    c.removeItem();
    EXPECT_EQ(m_dialogs->shown.back().message, kit::localized("DELETE_IMAGE"));
    EXPECT_FALSE(c.layoutView()->backgroundView().has_value());
    EXPECT_FALSE(c.canvas()->backgroundView().has_value());
    EXPECT_FALSE(c.modeState(Mode(1)).background.has_value());
    EXPECT_EQ(c.modeState(Mode(0)).background, entry); // the other mode still remembers
    EXPECT_FALSE(QFileInfo::exists(added));
    EXPECT_EQ(library->resourcePaths().size(), before + 1);
}

TEST_F(ControllerTest, ABackgroundChosenBeforeItsPictureLoadedAppearsWhenItArrives)
{
    KLController& c = start();
    c.selectView(201);
    KLBackgroundListView* library = c.backgroundListView();
    ASSERT_GT(library->resourcePaths().size(), 2);
    // What a click on the entry gives while its picture is still on its way.
    const BackgroundEntry early { 2, {}, library->resourcePaths()[2] };
    c.applyBackground(early);
    ASSERT_TRUE(c.canvas()->backgroundView()->image.isNull());
    library->load();
    c.libraries().layout(Page::Backgrounds);
    EXPECT_TRUE(waitUntil([&] { return !c.canvas()->backgroundView()->image.isNull(); }));
}

TEST_F(ControllerTest, LibraryPagesFillTheirWidthWithTheFirstRowAtTheTop)
{
    KLController& c = start();
    for (int tag : { 201, 202, 200 }) {
        c.selectView(tag);
        QScrollArea* page =
            widgetOf<QScrollArea>(c, qPrintable(QStringLiteral("page%1").arg(tag - 200)));
        auto* host = static_cast<kit::ViewHost*>(page->widget());
        const kit::View* library = host->viewWindow()->rootView();
        EXPECT_EQ(host->width(), page->viewport()->width()) << tag;
        EXPECT_EQ(library->frame().size, kit::Size(host->width(), host->height())) << tag;
        const kit::View* first = tag == 200
            ? static_cast<kit::View*>(c.resourceListView()->imgViews()[0])
            : tag == 201 ? static_cast<kit::View*>(c.backgroundListView()->imgViews()[0])
                         : static_cast<kit::View*>(c.borderListView()->imgViews()[0]);
        EXPECT_EQ(first->frame().maxY(), library->bounds().height() - 10) << tag;

        // Resting the pointer on an entry shows its name.
        const QPoint at =
            host->toWidgetPoint(first->convertPointToView(first->bounds().centre(), nullptr))
                .toPoint();
        QHelpEvent help(QEvent::ToolTip, at, host->mapToGlobal(at));
        QApplication::sendEvent(host, &help);
        const QString name = tag == 200
            ? QFileInfo(c.resourceListView()->resourcePaths()[0]).completeBaseName()
            : kit::localized(tag == 201 ? "BACKGROUND_WHITE" : "NO_BORDER");
        EXPECT_EQ(QToolTip::text(), name) << tag;
    }
}

TEST_F(ControllerTest, AddedPhotosFillEmptyCellsFirstAndNoPhotoIsLost)
{
    KLController& c = start();
    c.selectTemplate(writeTemplate(QStringLiteral("three.fdd"), 3));
    const auto& cells = c.canvas()->items();
    kit::Window* window = c.modeState(Mode::Template).host->viewWindow();
    auto click = [&](kit::Point at) {
        window->mouseDown({ at, 1, {} });
        window->mouseUp({ at, 1, {} });
    };
    auto onCell = [&](int i) {
        return cells[i]->convertPointToView(cells[i]->bounds().centre(), nullptr);
    };
    auto add = [&](const QStringList& files) {
        m_dialogs->filesToChoose = { files };
        c.addPhotos();
    };
    auto shows = [&](int i, const QString& file) {
        return cells[i]->image() && cells[i]->image()->filePath() == file;
    };
    QStringList photos;
    for (QColor colour : { Qt::red, Qt::green, Qt::blue, Qt::white, Qt::black })
        photos << writePicture(m_dir, colour.name().mid(1) + ".png", colour);

    // A file that cannot be read is named in the window's message, which
    // asks for nothing; the rest go in.
    const QString broken = testsupport::writeFile(m_dir.filePath("broken.png"), "not a picture");
    add({ broken, photos[0] });
    ASSERT_TRUE(shows(0, photos[0]));
    EXPECT_TRUE(m_dialogs->shown.empty());
    EXPECT_TRUE(c.window()->message().startsWith(kit::localized("PHOTOS_UNREADABLE")));
    EXPECT_TRUE(c.window()->message().contains(QStringLiteral("broken.png")));
    EXPECT_FALSE(c.window()->message().contains(QFileInfo(photos[0]).fileName()));
    cells[0]->_setImageScale(1.5f); // the person zoomed it
    // The selected empty cell first, then the other empty one; the first
    // keeps its photo and zoom.
    click(onCell(2));
    add({ photos[1], photos[2] });
    EXPECT_TRUE(shows(2, photos[1]) && shows(1, photos[2]) && shows(0, photos[0]));
    EXPECT_FLOAT_EQ(cells[0]->imageScale(), 1.5f);
    // No cell empty: the selected cell is replaced, with none selected the first.
    click(onCell(1));
    add({ photos[3] });
    EXPECT_TRUE(shows(1, photos[3]) && shows(0, photos[0]) && shows(2, photos[1]));
    click(c.canvas()->convertPointToView({ 1, 1 }, nullptr));
    add({ photos[4] });
    EXPECT_TRUE(shows(0, photos[4]) && shows(1, photos[3]));

    // Photos given at the start that find no cell are kept: a template with
    // more cells shows them all.
    KLController& d = start();
    d.selectTemplate(writeTemplate(QStringLiteral("two.fdd"), 2));
    d.openPhotos(photos.mid(0, 4));
    EXPECT_TRUE(d.window()->message().contains(QLatin1Char('2'))) << d.window()->message();
    d.selectTemplate(writeTemplate(QStringLiteral("four.fdd"), 4));
    ASSERT_EQ(d.canvas()->items().size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(d.canvas()->items()[i]->image()->filePath(), photos[i]) << i;

    // A drop that adds nothing is refused and says why, on every canvas.
    const QString notes = testsupport::writeFile(m_dir.filePath("notes.txt"), "hello");
    for (Mode mode : { Mode::Template, Mode::FreeLayout, Mode::Serial }) {
        d.layoutChanged(mode);
        kit::ViewHost* shown = d.modeState(mode).host;
        const KLCanvasView& canvas = d.canvasOfMode(mode);
        const QPoint centre =
            shown->toWidgetPoint(canvas.convertPointToView(canvas.bounds().centre(), nullptr))
                .toPoint();
        for (const QString& file : { notes, m_dir.path() }) {
            EXPECT_FALSE(dropFiles(shown, centre, { file })) << int(mode) << file;
            EXPECT_TRUE(d.window()->message().contains(file)) << int(mode) << file;
        }
    }
    d.layoutChanged(Mode::Template);
    const QPoint gap = d.modeState(Mode::Template)
                           .host->toWidgetPoint(d.canvas()->convertPointToView({ 1, 1 }, nullptr))
                           .toPoint();
    EXPECT_FALSE(dropFiles(d.modeState(Mode::Template).host, gap, { photos[0] }));
    EXPECT_EQ(d.window()->message(), kit::localized("DROP_NOT_ON_CELL"));
}
