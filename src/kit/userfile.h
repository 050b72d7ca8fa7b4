#pragma once

// Reading files a person hands the application (photos, templates, borders,
// text styles, pictures added to a library). Such a path may name anything:
// a named pipe that no one writes, a device that never ends (/dev/zero), a
// folder or a file of several gigabytes. These helpers look at what the path
// is before reading a byte and refuse what is not a regular file or is larger
// than the caller allows, so that a read always ends promptly.

#include <limits>
#include <optional>

#include <QByteArray>
#include <QString>

class QFile;

namespace kit {

constexpr qint64 kNoSizeLimit = std::numeric_limits<qint64>::max();

// Opens `path` for reading into `file` when it is a regular file of at most
// `maxBytes` bytes; opening never waits (a pipe without a writer is refused
// at once). Paths of Qt resources (":/...") are opened as QFile does. On
// failure `file` stays closed and `error`, when given, holds a short reason
// in English ("not a regular file (a named pipe)", "too large: 2048 MB, at
// most 1 MB", or the system's reason) for the caller's message.
bool openUserFile(QFile& file, const QString& path, qint64 maxBytes, QString* error = nullptr);

// The whole content of `path`, read as openUserFile allows, at most
// `maxBytes` bytes even when the file grows while it is read; nothing on
// failure, with the reason as above.
std::optional<QByteArray> readUserFile(const QString& path, qint64 maxBytes,
                                       QString* error = nullptr);

} // namespace kit
