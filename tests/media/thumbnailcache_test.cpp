// Thumbnails shared with the desktop: the files written (name, mode, tags),
// staleness, orientation, broken photos, and the hand-over to the main
// thread.

#include "mediatestsupport.h"

#include "media/thumbnailcache.h"
#include "media/thumbnailloader.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QThread>

namespace {

class ThumbnailCacheTest : public ::testing::Test
{
protected:
    QString photo(const QString& name, QSize size, int orientation = 0)
    {
        return testsupport::writeFile(m_dir.path() + "/photos/" + name,
                                      mediatest::jpeg(size, QColor(0, 160, 0), orientation));
    }
    QTemporaryDir m_dir;
    ThumbnailCache m_cache { m_dir.path() + "/thumbnails" };
};

TEST_F(ThumbnailCacheTest, WritesTheDesktopsThumbnailFilePrivatelyAndReadsItBack)
{
    const QString path = photo("holiday photo.jpg", { 800, 600 });
    const ThumbnailCache::Result made = m_cache.obtain(path, ThumbnailCache::Flavor::Normal);
    ASSERT_FALSE(made.image.isNull());
    EXPECT_FALSE(made.fromCache);
    EXPECT_EQ(made.image.size(), QSize(128, 96));

    const QByteArray uri = "file://" + QUrl::toPercentEncoding(path, "/");
    const QString file = m_dir.path() + "/thumbnails/normal/"
        + QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png";
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(QFileInfo(file).permissions() & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(QFileInfo(m_dir.path() + "/thumbnails/normal").permissions() & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QImage written(file);
    EXPECT_EQ(written.text("Thumb::URI").toUtf8(), uri);
    EXPECT_EQ(written.text("Thumb::MTime").toLongLong(),
              QFileInfo(path).lastModified().toSecsSinceEpoch());
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files).size(), 1); // no temporary left

    EXPECT_TRUE(m_cache.obtain(path, ThumbnailCache::Flavor::Normal).fromCache);
    // The photo changes: the old thumbnail no longer counts.
    {
        QFile touched(path);
        touched.open(QIODevice::ReadWrite);
        touched.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                            QFileDevice::FileModificationTime);
    }
    EXPECT_TRUE(m_cache.read(path, ThumbnailCache::Flavor::Normal).isNull());
    EXPECT_FALSE(m_cache.obtain(path, ThumbnailCache::Flavor::Normal).fromCache);
}

TEST_F(ThumbnailCacheTest, ThumbnailsStandUprightAndBrokenPhotosFailOnce)
{
    // Stored landscape, shown portrait: the mark of the top left corner
    // moves to the top right.
    const QString turned = photo("turned.jpg", { 400, 200 }, 6);
    const QImage image = m_cache.obtain(turned, ThumbnailCache::Flavor::Normal).image;
    ASSERT_EQ(image.size(), QSize(64, 128));
    EXPECT_LT(image.pixelColor(58, 4).value(), 60);
    EXPECT_GT(image.pixelColor(4, 4).green(), 100);

    const QString broken = m_dir.path() + "/photos/broken.jpg";
    testsupport::writeFile(broken, QByteArray("\xff\xd8\xff\xe0 truncated", 15));
    const ThumbnailCache::Result first = m_cache.obtain(broken, ThumbnailCache::Flavor::Normal);
    EXPECT_TRUE(first.image.isNull());
    EXPECT_TRUE(QFileInfo::exists(m_cache.failurePath(broken)));
    EXPECT_TRUE(m_cache.obtain(broken, ThumbnailCache::Flavor::Normal).image.isNull());
}

TEST_F(ThumbnailCacheTest, LoaderHandsThumbnailsToTheMainThread)
{
    QStringList paths;
    for (int i = 0; i < 12; ++i)
        paths << photo(QString("p%1.jpg").arg(i), { 300, 200 });
    paths << m_dir.path() + "/photos/missing.jpg";
    ThumbnailLoader loader(m_cache);
    QStringList ready;
    QStringList failed;
    QObject::connect(&loader, &ThumbnailLoader::thumbnailReady, [&](const QString& path) {
        EXPECT_EQ(QThread::currentThread(), qApp->thread());
        ready << path;
    });
    QObject::connect(&loader, &ThumbnailLoader::thumbnailFailed,
                     [&](const QString& path) { failed << path; });
    for (const QString& path : paths)
        EXPECT_TRUE(loader.thumbnail(path).isNull());
    ASSERT_TRUE(testsupport::waitUntil([&] { return loader.pending() == 0; }));
    EXPECT_EQ(ready.size(), 12);
    EXPECT_EQ(failed, QStringList { paths.last() });
    EXPECT_EQ(loader.thumbnail(paths[3]).size(), QSize(128, 85));
}

} // namespace
