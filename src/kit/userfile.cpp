#include "userfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace kit {

namespace {

QString sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < (qint64(1) << 20))
        return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    return QStringLiteral("%1 MB").arg((bytes + (1 << 20) - 1) >> 20);
}

QString tooLarge(qint64 bytes, qint64 maxBytes)
{
    return QStringLiteral("too large: %1, at most %2").arg(sizeText(bytes), sizeText(maxBytes));
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("not a regular file (a named pipe)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("not a regular file (a device)");
    if (S_ISSOCK(mode))
        return QStringLiteral("not a regular file (a socket)");
    return QStringLiteral("not a regular file");
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool isResourcePath(const QString& path)
{
    return path.startsWith(QLatin1Char(':')) || path.startsWith(QLatin1String("qrc:"));
}

} // namespace

bool openUserFile(QFile& file, const QString& path, qint64 maxBytes, QString* error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("no file name"));
    if (isResourcePath(path)) {
        // Compiled into the binary: bounded and never a device.
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(error, file.errorString());
        if (file.size() > maxBytes) {
            file.close();
            return fail(error, tooLarge(file.size(), maxBytes));
        }
        return true;
    }

    // O_NONBLOCK keeps open() from waiting for a pipe's writer; it changes
    // nothing for the regular files that are accepted below.
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info;
    QString reason;
    if (::fstat(fd, &info) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    else if (!S_ISREG(info.st_mode))
        reason = kindOf(info.st_mode);
    else if (info.st_size > maxBytes)
        reason = tooLarge(info.st_size, maxBytes);
    if (reason.isEmpty() && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        reason = file.errorString();
    if (!reason.isEmpty()) {
        ::close(fd);
        return fail(error, reason);
    }
    return true;
}

std::optional<QByteArray> readUserFile(const QString& path, qint64 maxBytes, QString* error)
{
    QFile file;
    if (!openUserFile(file, path, maxBytes, error))
        return std::nullopt;
    // Read in chunks up to one byte more than allowed, which tells a file
    // that grew past the limit while it was read.
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<qint64>(file.size(), maxBytes)));
    constexpr qint64 kChunk = qint64(1) << 20;
    while (bytes.size() <= maxBytes) {
        const qint64 left = maxBytes - bytes.size();
        const qint64 want = left >= kChunk ? kChunk : left + 1;
        const qsizetype at = bytes.size();
        bytes.resize(at + qsizetype(want));
        const qint64 got = file.read(bytes.data() + at, want);
        if (got < 0) {
            fail(error, file.errorString());
            return std::nullopt;
        }
        bytes.resize(at + qsizetype(got));
        if (got == 0)
            break;
    }
    if (bytes.size() > maxBytes) {
        fail(error, tooLarge(bytes.size(), maxBytes));
        return std::nullopt;
    }
    return bytes;
}

} // namespace kit
