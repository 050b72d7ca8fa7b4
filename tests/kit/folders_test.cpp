#include "kit/folders.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using kit::Folders;
using kit::LibraryFolder;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

std::string joined(const QStringList& l)
{
    return l.join(u'|').toStdString();
}

} // namespace

TEST(Folders, EnvironmentOverridesResourceAndUserFolders)
{
    QTemporaryDir tmp;
    const QByteArray resources = qgetenv("TESSERA_RESOURCES");
    const QByteArray documents = qgetenv("TESSERA_DOCUMENTS");
    qputenv("TESSERA_RESOURCES", tmp.filePath("res").toUtf8());
    EXPECT_EQ(Folders::resourcePath("images/white.png"), tmp.filePath("res/images/white.png"));
    EXPECT_EQ(Folders::resourceFolder(LibraryFolder::Borders), tmp.filePath("res/Borders"));
    // Without the override (and not installed) the source tree's folder is used.
    qputenv("TESSERA_RESOURCES", QByteArray());
    EXPECT_EQ(Folders::resourceFolder(), QDir::cleanPath(TESSERA_SOURCE_RESOURCES));
    qputenv("TESSERA_RESOURCES", resources);

    qputenv("TESSERA_DOCUMENTS", tmp.filePath("docs/Tessera").toUtf8());
    EXPECT_EQ(Folders::userFolder(), tmp.filePath("docs/Tessera"));
    const QString styles = tmp.filePath("docs/Tessera/Styles");
    EXPECT_EQ(Folders::userFolder(LibraryFolder::Styles), styles);
    EXPECT_FALSE(QFileInfo::exists(styles)); // asking does not create
    EXPECT_EQ(Folders::ensureUserFolder(LibraryFolder::Styles), std::optional<QString>(styles));
    EXPECT_TRUE(QFileInfo(styles).isDir());

    // A folder that cannot be made (a file is in the way) gives nothing.
    writeFile(tmp.filePath("docs/Tessera/Templates"), "x");
    EXPECT_EQ(Folders::ensureUserFolder(LibraryFolder::Templates), std::nullopt);
    qputenv("TESSERA_DOCUMENTS", documents);
}

TEST(Folders, WalkIsOrderedAndFiltersByUpperCasedExtension)
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    for (const char* name : { "b.fdd", "A.FDD", "sub/c.Fdd", "sub/d.png", "sub/deeper/e.style",
                              ".hidden.fdd", "x.fddx", "noext", "fdd" })
        writeFile(root + "/" + name, "x");

    EXPECT_EQ(joined(Folders::walk(root)),
              "A.FDD|b.fdd|fdd|noext|sub|sub/c.Fdd|sub/d.png|sub/deeper|sub/deeper/e.style|x.fddx");
    EXPECT_EQ(joined(Folders::walkFiles(root, { "FDD" })), "A.FDD|b.fdd|sub/c.Fdd");
    EXPECT_EQ(joined(Folders::walkFiles(root, { "PNG", "STYLE" })), "sub/d.png|sub/deeper/e.style");
    EXPECT_TRUE(Folders::walk(root + "/missing").isEmpty());
}

TEST(Folders, UniqueFilePathAppendsANumberToTheBaseName)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    for (const char* name : { "sky.jpg", "sky-1.jpg", ".hidden", "50%1.png" })
        writeFile(dir + "/" + name, "x");
    const std::tuple<const char*, int, std::optional<QString>> cases[] = {
        { "new.jpg", 99999, dir + "/new.jpg" },   { "sky.jpg", 99999, dir + "/sky-2.jpg" },
        { "sky.jpg", 1, std::nullopt }, // every allowed name is taken
        { ".hidden", 99999, dir + "/.hidden-1" }, { "50%1.png", 99999, dir + "/50%1-1.png" },
    };
    for (const auto& [name, max, expected] : cases)
        EXPECT_EQ(Folders::uniqueFilePath(dir, name, max), expected) << name;

    // A dangling link occupies its name.
    ASSERT_TRUE(QFile::link(dir + "/gone", dir + "/link.png"));
    EXPECT_EQ(Folders::uniqueFilePath(dir, "link.png"),
              std::optional<QString>(dir + "/link-1.png"));
}

TEST(Folders, CopyNeverOverwritesAndCopiesWholeFolders)
{
    QTemporaryDir tmp;
    const QString src = tmp.filePath("Backgrounds");
    writeFile(src + "/white.png", "white");
    writeFile(src + "/nested/sea.jpg", "sea");

    // Missing parents of the destination are created.
    const QString dst = tmp.filePath("docs/Tessera/Backgrounds");
    EXPECT_TRUE(Folders::copyItem(src, dst));
    EXPECT_EQ(readFile(dst + "/white.png"), "white");
    EXPECT_EQ(readFile(dst + "/nested/sea.jpg"), "sea");

    writeFile(dst + "/white.png", "edited");
    EXPECT_FALSE(Folders::copyItem(src + "/white.png", dst + "/white.png"));
    EXPECT_EQ(readFile(dst + "/white.png"), "edited");
    EXPECT_TRUE(Folders::copyItem(src + "/white.png", dst + "/copy.png"));
    EXPECT_EQ(readFile(dst + "/copy.png"), "white");

    EXPECT_FALSE(Folders::copyItem(src, src + "/nested/again"));
    EXPECT_FALSE(QFileInfo::exists(src + "/nested/again"));

    EXPECT_TRUE(Folders::removeItem(dst));
    EXPECT_FALSE(Folders::exists(dst));
    EXPECT_TRUE(Folders::removeItem(src + "/white.png"));
    EXPECT_FALSE(Folders::exists(src + "/white.png"));
    EXPECT_TRUE(Folders::exists(src + "/nested/sea.jpg"));
}
