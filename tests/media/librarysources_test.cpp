// Photo libraries and folders read as sources: what a good library lists,
// what a hostile one still lists, and that no file of theirs changes.

#include "mediatestsupport.h"

#include "media/digikamparser.h"
#include "media/folderparser.h"
#include "media/shotwellparser.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The columns of Shotwell's tables that the parser reads, and one it does not.
const QString kShotwellPhotoTable = QStringLiteral(
    "CREATE TABLE PhotoTable (id INTEGER PRIMARY KEY, filename TEXT UNIQUE NOT NULL, "
    "exposure_time INTEGER, event_id INTEGER, flags INTEGER DEFAULT 0, title TEXT)");
const QString kShotwellEventTable = QStringLiteral(
    "CREATE TABLE EventTable (id INTEGER PRIMARY KEY, name TEXT, primary_photo_id INTEGER, "
    "time_created INTEGER, primary_source_id TEXT, comment TEXT)");

class LibrarySourcesTest : public ::testing::Test
{
protected:
    QString photo(const QString& name)
    {
        return testsupport::writeFile(m_dir.path() + "/photos/" + name,
                                      mediatest::jpeg({ 16, 12 }, Qt::red));
    }
    QString insertPhoto(int id, const QString& file, int event, qint64 flags, qint64 exposure)
    {
        return QStringLiteral(
                   "INSERT INTO PhotoTable (id, filename, event_id, flags, exposure_time) "
                   "VALUES (%1, '%2', %3, %4, %5)")
            .arg(id)
            .arg(file)
            .arg(event)
            .arg(flags)
            .arg(exposure);
    }
    QTemporaryDir m_dir;
};

TEST_F(LibrarySourcesTest, ShotwellListsEventsWithTheirPhotosInOrder)
{
    const QString db = m_dir.path() + "/photo.db";
    QStringList sql {
        kShotwellPhotoTable, kShotwellEventTable,
        "INSERT INTO EventTable VALUES (1, 'Beach', 0, 100, 'thumb0000000000000003', '')",
        "INSERT INTO EventTable VALUES (2, NULL, 0, 1700000000, '', '')",
        "INSERT INTO EventTable VALUES (3, 'Only trash', 0, 100, '', '')"
    };
    sql << insertPhoto(1, photo("a.jpg"), 1, 0, 30) << insertPhoto(2, photo("b.jpg"), 1, 0, 10)
        << insertPhoto(3, photo("c.jpg"), 1, 0, 20)
        << insertPhoto(4, photo("trashed.jpg"), 1, ShotwellParser::kTrashFlag, 5)
        << insertPhoto(5, photo("offline.jpg"), 2, ShotwellParser::kOfflineFlag, 5)
        << insertPhoto(6, photo("d.jpg"), 2, 0x2 /* favourite */, 1)
        << insertPhoto(7, m_dir.path() + "/photos/missing.jpg", 2, 0, 2)
        << insertPhoto(8, photo("e.jpg"), 3, ShotwellParser::kTrashFlag, 3)
        << insertPhoto(9, photo("loose.jpg"), -1, 0, 4);
    ASSERT_TRUE(mediatest::makeDatabase(db, sql));
    const QByteArray before = testsupport::readFile(db);

    ShotwellParser parser(db);
    ASSERT_TRUE(parser.canBeUsed()) << parser.unusableReason().toStdString();
    const MediaNode top = parser.topNode();
    EXPECT_TRUE(top.error.isEmpty());
    ASSERT_EQ(top.subnodes.size(), 3u); // event 2 (earliest photo), Beach, no event
    const MediaNode& unnamed = top.subnodes[0];
    const MediaNode& beach = top.subnodes[1];
    EXPECT_FALSE(unnamed.name.isEmpty()); // named by its date
    ASSERT_EQ(unnamed.objects.size(), 1u);
    EXPECT_EQ(unnamed.objects[0].name, "d.jpg");
    EXPECT_EQ(beach.name, "Beach");
    QStringList names;
    for (const MediaObject& object : beach.objects)
        names << object.name;
    EXPECT_EQ(names, QStringList({ "b.jpg", "c.jpg", "a.jpg" }));
    EXPECT_EQ(beach.keyPhotoPath, m_dir.path() + "/photos/c.jpg");
    ASSERT_EQ(top.subnodes[2].objects.size(), 1u);
    EXPECT_EQ(top.subnodes[2].objects[0].name, "loose.jpg");
    EXPECT_TRUE(testsupport::readFile(db) == before);
    EXPECT_FALSE(QFileInfo::exists(db + "-journal"));
}

TEST_F(LibrarySourcesTest, HostileShotwellDatabasesNeverCrash)
{
    const QString huge(5000000, QChar('x'));
    struct Case
    {
        const char* what;
        QStringList sql;
        bool usable;
        int photos; // listed in all events
    };
    const QString good = photo("good.jpg");
    const std::vector<Case> cases {
        { "missing column",
          { "CREATE TABLE PhotoTable (id, filename)", kShotwellEventTable },
          false,
          0 },
        { "huge and odd rows",
          { kShotwellPhotoTable, kShotwellEventTable,
            "INSERT INTO EventTable VALUES (1, '" + huge + "', 'x', 'y', '" + huge + "', NULL)",
            insertPhoto(1, good, 1, 0, 1), insertPhoto(2, "/" + huge, 1, 0, 1),
            "INSERT INTO PhotoTable (id, filename, event_id, flags, exposure_time) VALUES (3, "
            "X'00ff00', 'a', 'b', 'c')",
            insertPhoto(4, "relative/path.jpg", 1, 0, 1),
            insertPhoto(5, "/nowhere/x.jpg", 7, 0, 1) },
          true,
          1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString db = m_dir.path() + "/" + c.what + ".db";
        ASSERT_TRUE(mediatest::makeDatabase(db, c.sql));
        ShotwellParser parser(db);
        EXPECT_EQ(parser.canBeUsed(), c.usable);
        const MediaNode top = parser.topNode();
        if (!c.usable)
            continue;
        int listed = 0;
        for (const MediaNode& event : top.subnodes) {
            listed += int(event.objects.size());
            EXPECT_LE(event.name.size(), 201);
        }
        EXPECT_EQ(listed, c.photos);
    }

    // Not a database at all, and no file: left out, and no file appears.
    const QString text = m_dir.path() + "/text.db";
    testsupport::writeFile(text, QByteArray(4096, 'T'));
    EXPECT_FALSE(ShotwellParser(text).canBeUsed());
    EXPECT_FALSE(ShotwellParser(text).topNode().error.isEmpty());
    EXPECT_EQ(QFileInfo(text).size(), 4096);
    const QString none = m_dir.path() + "/none/photo.db";
    EXPECT_FALSE(ShotwellParser(none).canBeUsed());
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST_F(LibrarySourcesTest, DigikamListsAlbumsOfTheDatabaseItsSettingsName)
{
    const QString dbFolder = m_dir.path() + "/digikam";
    QDir().mkpath(dbFolder);
    const QString root = m_dir.path() + "/photos";
    photo("2024/Trip/one.jpg");
    photo("2024/Trip/two.jpg");
    photo("top.jpg");
    const QString encodedRoot = QString::fromUtf8(QUrl::toPercentEncoding(root));
    ASSERT_TRUE(mediatest::makeDatabase(
        dbFolder + "/digikam4.db",
        { "CREATE TABLE AlbumRoots (id INTEGER PRIMARY KEY, label TEXT, status INTEGER, type "
          "INTEGER, "
          "identifier TEXT, specificPath TEXT)",
          "CREATE TABLE Albums (id INTEGER PRIMARY KEY, albumRoot INTEGER, relativePath TEXT, date "
          "DATE, "
          "caption TEXT, collection TEXT, icon INTEGER)",
          "CREATE TABLE Images (id INTEGER PRIMARY KEY, album INTEGER, name TEXT, status INTEGER, "
          "category INTEGER, modificationDate DATETIME, fileSize INTEGER, uniqueHash TEXT)",
          "INSERT INTO AlbumRoots VALUES (1, 'My photos', 0, 1, 'volumeid:?path=" + encodedRoot
              + "', '/')",
          "INSERT INTO AlbumRoots VALUES (2, 'USB', 0, 2, 'volumeid:?uuid=1234', '/')",
          "INSERT INTO Albums VALUES (1, 1, '/', NULL, NULL, NULL, 0)",
          "INSERT INTO Albums VALUES (2, 1, '/2024/Trip', NULL, NULL, NULL, 0)",
          "INSERT INTO Albums VALUES (3, 2, '/elsewhere', NULL, NULL, NULL, 0)",
          "INSERT INTO Albums VALUES (4, 1, '/../../etc', NULL, NULL, NULL, 0)",
          "INSERT INTO Images VALUES (1, 1, 'top.jpg', 1, 1, NULL, 0, '')",
          "INSERT INTO Images VALUES (2, 2, 'one.jpg', 1, 1, NULL, 0, '')",
          "INSERT INTO Images VALUES (3, 2, 'two.jpg', 3, 1, NULL, 0, '')", // trashed
          "INSERT INTO Images VALUES (4, 2, 'gone.jpg', 1, 1, NULL, 0, '')", // file missing
          "INSERT INTO Images VALUES (5, 3, 'x.jpg', 1, 1, NULL, 0, '')",
          "INSERT INTO Images VALUES (6, 2, '../../top.jpg', 1, 1, NULL, 0, '')",
          "INSERT INTO Images VALUES (7, 4, 'passwd', 1, 1, NULL, 0, '')" }));
    const QString rc = m_dir.path() + "/digikamrc";
    testsupport::writeFile(
        rc,
        ("[Database Settings]\nDatabase Type=QSQLITE\nDatabase Name=" + dbFolder + "/\n").toUtf8());

    DigikamParser parser(rc);
    ASSERT_TRUE(parser.canBeUsed()) << parser.unusableReason().toStdString();
    const MediaNode top = parser.topNode();
    ASSERT_EQ(top.subnodes.size(), 2u);
    EXPECT_EQ(top.subnodes[0].name, "My photos");
    ASSERT_EQ(top.subnodes[0].objects.size(), 1u);
    EXPECT_EQ(top.subnodes[0].objects[0].filePath, root + "/top.jpg");
    EXPECT_EQ(top.subnodes[1].name, "2024/Trip");
    ASSERT_EQ(top.subnodes[1].objects.size(), 1u);
    EXPECT_EQ(top.subnodes[1].objects[0].name, "one.jpg");

    // Settings that name another kind of database, or nothing.
    testsupport::writeFile(rc,
                           "[Database Settings]\nDatabase Type=QMYSQL\nDatabase Name=digikam\n");
    EXPECT_FALSE(parser.canBeUsed());
    EXPECT_FALSE(DigikamParser(m_dir.path() + "/no-rc").canBeUsed());
}

TEST_F(LibrarySourcesTest, FoldersListPhotosAndSubfoldersButNotHiddenOrOtherFiles)
{
    const QString root = m_dir.path() + "/photos";
    photo("b.JPG");
    photo("a.png");
    photo("sub/c.jpeg");
    photo(".hidden/d.jpg");
    testsupport::writeFile(root + "/notes.txt", "x");
    testsupport::writeFile(root + "/.e.jpg", "x");

    FolderParser parser(FolderParser::Kind::Added, root);
    ASSERT_TRUE(parser.canBeUsed());
    const MediaNode top = parser.topNode();
    ASSERT_EQ(top.objects.size(), 2u);
    EXPECT_EQ(top.objects[0].name, "a.png");
    EXPECT_EQ(top.objects[1].name, "b.JPG");
    ASSERT_EQ(top.subnodes.size(), 1u);
    EXPECT_FALSE(top.subnodes[0].populated);
    const MediaNode sub = parser.populate(top.subnodes[0]);
    ASSERT_EQ(sub.objects.size(), 1u);
    EXPECT_EQ(sub.objects[0].filePath, root + "/sub/c.jpeg");

    EXPECT_FALSE(FolderParser(FolderParser::Kind::Added, m_dir.path() + "/none").canBeUsed());
    QFile::setPermissions(root + "/sub", QFileDevice::WriteOwner);
    if (!QFileInfo(root + "/sub").isReadable()) { // root reads anything
        EXPECT_FALSE(FolderParser(FolderParser::Kind::Added, root + "/sub").canBeUsed());
    }
    QFile::setPermissions(root + "/sub",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
