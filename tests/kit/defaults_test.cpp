#include "kit/defaults.h"

#include <gtest/gtest.h>

#include <optional>

#include <QFileInfo>
#include <QTemporaryDir>

using kit::Defaults;

namespace {

// Writes through one instance and reads through a fresh one, so every read
// comes from the file as another launch would see it.
class DefaultsFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("prefs.conf"); }
    std::unique_ptr<Defaults> reopen() { return std::make_unique<Defaults>(path()); }
};

} // namespace

TEST_F(DefaultsFile, TypedReadsTellAbsentFromStored)
{
    {
        Defaults d(path());
        d.set("HasShadow", false);
        d.set("SaveFileType", 7);
        d.set("SaveWidth", 1234.75);
        d.set("LastSaveDir", QStringLiteral("/home/someone/Pictures"));
        d.set("Garbage", QStringLiteral("12abc"));
        d.set("Color", QByteArray("\x00\xff\x10 data", 9));
        d.set("StyleName", QString());
        ASSERT_TRUE(d.synchronize());
    }
    auto d = reopen();

    EXPECT_EQ(d->boolForKey("HasShadow"), std::optional<bool>(false));
    EXPECT_EQ(d->boolForKey("Absent"), std::nullopt);
    EXPECT_EQ(d->boolForKey("Garbage"), std::nullopt);
    EXPECT_EQ(d->intForKey("SaveFileType"), std::optional<int>(7));
    EXPECT_EQ(d->intForKey("SaveWidth"), std::optional<int>(1234)); // truncated
    EXPECT_EQ(d->intForKey("Garbage"), std::nullopt);
    EXPECT_EQ(d->intForKey("HasShadow"), std::nullopt);
    EXPECT_EQ(d->doubleForKey("SaveWidth"), std::optional<double>(1234.75));
    EXPECT_EQ(d->stringForKey("LastSaveDir"), std::optional<QString>("/home/someone/Pictures"));
    // A stored empty string is stored, not absent.
    EXPECT_EQ(d->stringForKey("StyleName"), std::optional<QString>(QString()));

    EXPECT_EQ(d->dataForKey("Color"),
              std::optional<QByteArray>(QByteArray("\x00\xff\x10 data", 9)));
}

TEST_F(DefaultsFile, RemovedAndNullValuesReadAsAbsent)
{
    {
        Defaults d(path());
        d.set("StyleName", QStringLiteral("Bold"));
        d.set("WhatsNew_1", false);
        d.set("OpenFolder", true);
        d.remove("StyleName");
        d.set("OpenFolder", QVariant());
        d.set("", true); // ignored
        d.remove(""); // must not wipe everything
        ASSERT_TRUE(d.synchronize());
        EXPECT_FALSE(d.contains("StyleName")); // at once, before a reopen
    }
    auto d = reopen();
    EXPECT_FALSE(d->contains("StyleName"));
    EXPECT_FALSE(d->contains("OpenFolder"));
    EXPECT_EQ(d->boolForKey("WhatsNew_1"), std::optional<bool>(false));
}

TEST(Defaults, StandardLivesInThePerUserConfigFolder)
{
    Defaults& d = Defaults::standard();
    d.set("HasCorner", false);
    ASSERT_TRUE(d.synchronize());
    // The test main points XDG_CONFIG_HOME at a private folder.
    const QString file =
        qEnvironmentVariable("XDG_CONFIG_HOME") + "/TesseraTests/tessera-tests.conf";
    EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_EQ(Defaults(file).boolForKey("HasCorner"), std::optional<bool>(false));
    d.remove("HasCorner");
    d.synchronize();
}
