#include "controllerfixture.h"

#include "support/testsupport.h"

#include "border/klbackgroundlistview.h"
#include "kit/folders.h"
#include "kit/localisation.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include <QDir>
#include <QFileInfo>

namespace {

using testsupport::writeFile;

QString writePicture(const QString& path)
{
    EXPECT_TRUE(testsupport::writeImage(testsupport::solidImage({ 40, 30 }, Qt::magenta), path));
    return path;
}

QWidget* libraryHost(KLController& c, Page page)
{
    return widgetOf<QScrollArea>(c, QStringLiteral("page%1").arg(int(page)).toLatin1())->widget();
}

QString userFile(kit::LibraryFolder folder, const QString& name)
{
    return kit::Folders::userFolder(folder) + u'/' + name;
}

} // namespace

class LibraryPaneTest : public ControllerTest
{
protected:
    void TearDown() override
    {
        ControllerTest::TearDown();
        for (auto folder : { kit::LibraryFolder::Templates, kit::LibraryFolder::Backgrounds })
            QDir(kit::Folders::userFolder(folder)).removeRecursively();
    }
};

// What is not a template or a picture never enters a library: the add
// command and drops refuse it with a message naming it, take the rest, and
// the next start passes over what is broken in the folder.
TEST_F(LibraryPaneTest, FilesAreCheckedBeforeTheyAreAdded)
{
    KLController& c = start();
    const QString empty = writeFile(m_dir.filePath("empty.fdd"), "");
    const QString words = writeFile(m_dir.filePath("words.fdd"), "one line\ntwo lines\nthree\n");
    const QString good = writeTemplate("good.fdd", 2);
    m_dialogs->filesToChoose = { { empty, words, good } };
    c.libraries().addNewItem();
    EXPECT_TRUE(c.resourceListView()->resourcePaths().contains(
        userFile(kit::LibraryFolder::Templates, "good.fdd")));
    EXPECT_FALSE(QFileInfo::exists(userFile(kit::LibraryFolder::Templates, "empty.fdd")));
    EXPECT_FALSE(QFileInfo::exists(userFile(kit::LibraryFolder::Templates, "words.fdd")));
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_TRUE(m_dialogs->shown[0].message.contains("empty.fdd"));
    EXPECT_TRUE(m_dialogs->shown[0].message.contains("words.fdd"));
    EXPECT_FALSE(m_dialogs->shown[0].message.contains("good.fdd"));

    // A drop that adds nothing is not accepted and says why.
    const QString notes = writeFile(m_dir.filePath("notes.txt"), "text");
    EXPECT_FALSE(dropFiles(libraryHost(c, Page::Templates), { 30, 30 }, { words, notes }));
    EXPECT_FALSE(QFileInfo::exists(userFile(kit::LibraryFolder::Templates, "words.fdd")));
    ASSERT_EQ(m_dialogs->shown.size(), 2u);
    EXPECT_TRUE(m_dialogs->shown[1].message.contains("words.fdd"));
    EXPECT_TRUE(m_dialogs->shown[1].message.contains("notes.txt"));

    c.selectView(201);
    const QString fake = writeFile(m_dir.filePath("fake.png"), "not a picture");
    m_dialogs->filesToChoose = { { fake, writePicture(m_dir.filePath("real.png")) } };
    c.libraries().addNewItem();
    EXPECT_FALSE(QFileInfo::exists(userFile(kit::LibraryFolder::Backgrounds, "fake.png")));
    EXPECT_TRUE(c.backgroundListView()->resourcePaths().contains(
        userFile(kit::LibraryFolder::Backgrounds, "real.png")));
    ASSERT_EQ(m_dialogs->shown.size(), 3u);
    EXPECT_TRUE(m_dialogs->shown[2].message.contains("fake.png"));

    // A broken template that is already in the folder is passed over at the
    // next start, with one log line, and never becomes the start template.
    const QString brokenEmpty = writeFile(userFile(kit::LibraryFolder::Templates, "empty.fdd"), "");
    const QString brokenWords =
        writeFile(userFile(kit::LibraryFolder::Templates, "words.fdd"), "a b c\nd e f\ng h i\n");
    testsupport::LogCapture log;
    KLController& again = start();
    EXPECT_FALSE(again.resourceListView()->resourcePaths().contains(brokenEmpty));
    EXPECT_FALSE(again.resourceListView()->resourcePaths().contains(brokenWords));
    ASSERT_TRUE(again.currentResourceTemplate().has_value());
    EXPECT_FALSE(again.canvas()->items().empty());
    EXPECT_EQ(log.matching("empty.fdd").size(), 1) << log.lines().join('\n').toStdString();
    EXPECT_EQ(log.matching("words.fdd").size(), 1) << log.lines().join('\n').toStdString();
}

// Templates and backgrounds that come with the application stay: removing
// one is refused with a message that says so, and only what the person
// added can be deleted.
TEST_F(LibraryPaneTest, ShippedItemsCannotBeDeleted)
{
    KLController& c = start();
    const QString shipped = userFile(kit::LibraryFolder::Templates, "grid-2x1.fdd");
    ASSERT_TRUE(c.resourceListView()->resourcePaths().contains(shipped));
    c.selectTemplate(shipped);
    m_dialogs->answers = { Dialogs::Answer::Yes };
    c.removeItem();
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_EQ(m_dialogs->shown[0].message, kit::localized("CAN_NOT_DELETE_TEMPLATE"));
    EXPECT_TRUE(QFileInfo::exists(shipped));
    EXPECT_TRUE(c.resourceListView()->resourcePaths().contains(shipped));

    c.selectView(201);
    const QString sky = userFile(kit::LibraryFolder::Backgrounds, "sky.jpg");
    c.applyBackground(BackgroundEntry { 5, kit::Image(), sky });
    m_dialogs->answers = { Dialogs::Answer::Yes };
    c.removeItem();
    ASSERT_EQ(m_dialogs->shown.size(), 2u);
    EXPECT_EQ(m_dialogs->shown[1].message, kit::localized("CAN_NOT_DELETE_IMAGE"));
    EXPECT_TRUE(QFileInfo::exists(sky));
    EXPECT_TRUE(c.canvas()->backgroundView().has_value());
}
