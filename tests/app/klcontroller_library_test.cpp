#include "controllerfixture.h"

#include "border/klbackgroundlistview.h"
#include "border/klborderlistview.h"
#include "chrome/kltabbarview.h"
#include "kit/localisation.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "serial/klcombinview.h"
#include "template/klresourceitem.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>

namespace {

QString writePicture(const QTemporaryDir& dir, const QString& name, QColor color)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
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

    m_dialogs->answers = { Dialogs::Answer::No };
    c.removeItem();
    EXPECT_TRUE(QFileInfo::exists(chosen));
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_EQ(m_dialogs->shown[0].message, kit::localized("DELETE_TEMPLATE"));
    EXPECT_EQ(m_dialogs->shown[0].defaultButton, kit::localized("BUTTON_NO"));

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

    // Nothing of the person's own chosen yet: refused.
    c.removeItem();
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_EQ(m_dialogs->shown[0].message, kit::localized("CAN_NOT_DELETE_IMAGE"));

    m_dialogs->filesToChoose = { { writePicture(m_dir, "a.png", Qt::red),
                                   writePicture(m_dir, "b.jpg", Qt::green),
                                   writePicture(m_dir, "c.bmp", Qt::blue) } };
    c.libraries().addNewItem();
    ASSERT_EQ(library->resourcePaths().size(), before + 3);
    EXPECT_FALSE(m_dialogs->nameFilters.back().join(' ').contains(QStringLiteral("fdd")));
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
    EXPECT_EQ(library->resourcePaths().size(), before + 2);
}

TEST_F(ControllerTest, FilterMenuNarrowsTheTemplateLibrary)
{
    KLController& c = start();
    const int all = c.resourceListView()->resourcePaths().size();
    m_dialogs->menuTagToChoose = 5;
    c.libraries().showFilterMenu();
    EXPECT_EQ(widgetOf<QPushButton>(c, "filterButton")->text(), kit::localized("FILTER_5"));
    EXPECT_EQ(c.resourceListView()->filter(), 5);
    ASSERT_TRUE(c.libraries().filterMenu());
    QList<int> tags, checked;
    for (QAction* a : c.libraries().filterMenu()->actions()) {
        tags.append(a->data().toInt());
        if (a->isChecked())
            checked.append(a->data().toInt());
    }
    EXPECT_EQ(tags, QList<int>({ 0, 2, 3, 4, 5, 6, 7, 8, 9 }));
    EXPECT_EQ(checked, QList<int> { 5 }); // the choice in force is marked

    m_dialogs->menuTagToChoose = 0;
    c.libraries().showFilterMenu();
    EXPECT_EQ(widgetOf<QPushButton>(c, "filterButton")->text(), kit::localized("FILTER_ALL"));
    EXPECT_EQ(c.resourceListView()->filter(), 0);
    EXPECT_EQ(c.resourceListView()->resourcePaths().size(), all);
}

TEST_F(ControllerTest, PhotosGoToTheCurrentCanvasAndBadOnesAreListed)
{
    KLController& c = start();
    c.selectTemplate(writeTemplate(QStringLiteral("three.fdd"), 3));
    const QString broken = m_dir.filePath(QStringLiteral("broken.jpg"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();

    m_dialogs->filesToChoose = { { writePicture(m_dir, "red.png", Qt::red), broken,
                                   writePicture(m_dir, "blue.png", Qt::blue) } };
    c.addPhotos();
    const auto& cells = c.canvas()->items();
    EXPECT_TRUE(cells[0]->image().has_value());
    EXPECT_TRUE(cells[1]->image().has_value());
    EXPECT_FALSE(cells[2]->image().has_value());
    // Named in the window's message, which asks for nothing.
    EXPECT_TRUE(m_dialogs->shown.empty());
    const QString message = c.window()->message();
    EXPECT_TRUE(message.startsWith(kit::localized("PHOTOS_UNREADABLE")));
    EXPECT_TRUE(message.contains(QStringLiteral("broken.jpg")));
    EXPECT_FALSE(message.contains(QStringLiteral("red.png")));
    EXPECT_EQ(c.droppedImages().size(), 2u);

    // A drop on a canvas names its unreadable file the same way.
    const QString other = m_dir.filePath(QStringLiteral("other.png"));
    ASSERT_TRUE(QFile::copy(broken, other));
    kit::Window* window = c.modeState(Mode::Template).host->viewWindow();
    const kit::Point onCell = cells[2]->convertPointToView(cells[2]->bounds().centre(), nullptr);
    EXPECT_FALSE(window->performDrop({ onCell, { other }, true }));
    EXPECT_TRUE(c.window()->message().contains(QStringLiteral("other.png")));

    // The serial column takes every photo, in order.
    c.selectView(102);
    const QStringList column = { writePicture(m_dir, "green.png", Qt::green),
                                 writePicture(m_dir, "white.png", Qt::white) };
    c.openPhotos(column);
    ASSERT_EQ(c.combinView()->items().size(), 2u);
    EXPECT_EQ(c.combinView()->items()[1]->image().filePath(), column[1]);
    EXPECT_TRUE(m_dialogs->shown.empty());
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
    EXPECT_FALSE(c.modeState(Mode::Template).background->image.isNull());
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
    }
}
