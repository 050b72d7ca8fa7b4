#include "kit/userfile.h"

#include "support/testsupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

using testsupport::writeFile;

// What is not a regular file, or is larger than allowed, is refused before
// it is read: none of these may block or read without end.
TEST(UserFile, RefusesWhatIsNotASmallRegularFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.fdd");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Sparse: two gigabytes that take no disk space.
    const QString huge = dir.filePath("huge.jpg");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(2) << 30));
    }
    struct Case
    {
        QString path;
        qint64 limit;
        const char* reason;
    };
    const Case cases[] = {
        { fifo, 1 << 20, "not a regular file (a named pipe)" },
        { "/dev/zero", 1 << 20, "not a regular file (a device)" },
        { dir.path(), 1 << 20, "it is a folder" },
        { huge, qint64(1) << 30, "too large: 2048 MB, at most 1024 MB" },
        { writeFile(dir.filePath("five.txt"), "12345"), 4, "too large: 5 bytes, at most 4 bytes" },
        { dir.filePath("missing"), 1 << 20, "No such file or directory" },
        { QString(), 1 << 20, "no file name" },
    };
    for (const Case& c : cases) {
        QString reason;
        EXPECT_FALSE(kit::readUserFile(c.path, c.limit, &reason)) << c.path.toStdString();
        EXPECT_EQ(reason, QString::fromUtf8(c.reason));
        QFile file;
        EXPECT_FALSE(kit::openUserFile(file, c.path, c.limit));
        EXPECT_FALSE(file.isOpen());
    }
}

TEST(UserFile, ReadsRegularFilesUpToTheLimit)
{
    QTemporaryDir dir;
    const QByteArray bytes = QByteArray("line\r\n").repeated(300000); // more than one chunk
    const QString path = writeFile(dir.filePath("a.txt"), bytes);
    EXPECT_EQ(kit::readUserFile(path, bytes.size()), bytes);
    EXPECT_EQ(kit::readUserFile(path, kit::kNoSizeLimit), bytes);
    EXPECT_EQ(kit::readUserFile(writeFile(dir.filePath("empty"), {}), 0), QByteArray());

    // A link to a regular file is read; a link to a pipe is refused.
    const QString link = dir.filePath("link.txt");
    ASSERT_TRUE(QFile::link(path, link));
    EXPECT_EQ(kit::readUserFile(link, bytes.size()), bytes);
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, dir.filePath("pipe.png")));
    EXPECT_FALSE(kit::readUserFile(dir.filePath("pipe.png"), 1 << 20));
}
