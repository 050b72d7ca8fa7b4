#pragma once

// Where the application's files are, and the file helpers of the libraries.
//
// Resource folder (shipped templates, borders, backgrounds, styles, images,
// translations), first match wins:
//   1. $TESSERA_RESOURCES when set and not empty;
//   2. <binary dir>/../share/tessera/resources when it exists (installed);
//   3. the source tree's resources/ (TESSERA_SOURCE_RESOURCES, run from the
//      build tree).
// User folder: $TESSERA_DOCUMENTS when set and not empty, else
// <documents>/Tessera (usually ~/Documents/Tessera). It holds the Templates,
// Backgrounds, Borders and Styles folders.
//
// Paths are absolute and use '/'. Nothing here reports to the user: helpers
// answer false or nothing and log the reason on tessera.library.

#include <optional>

#include <QString>
#include <QStringList>

namespace kit {

enum class LibraryFolder { Templates, Backgrounds, Borders, Styles };

class Folders
{
public:
    static QString resourceFolder();
    // `relative` joined to the resource folder; the file need not exist.
    static QString resourcePath(const QString& relative);
    // The shipped folder of a library, e.g. <resources>/Templates.
    static QString resourceFolder(LibraryFolder folder);

    // Not created here.
    static QString userFolder();
    // The user's folder of a library, e.g. ~/Documents/Tessera/Templates; not
    // created here, since the libraries treat a missing folder differently.
    static QString userFolder(LibraryFolder folder);
    // The same folder, created with its missing parents; nothing when it
    // cannot be created.
    static std::optional<QString> ensureUserFolder(LibraryFolder folder);
    // Copies a plain file into the user's folder of a library under the first
    // free name (see uniqueFilePath); the new path, or nothing when the file
    // is not a plain file, the folder cannot be made or the copy fails.
    static std::optional<QString> addToUserFolder(LibraryFolder folder, const QString& filePath);

    static QString folderName(LibraryFolder folder); // "Templates", ...

    // Whether `path` is one of the items the application ships in a library:
    // a file of the shipped folder, or of the user's folder where the
    // shipped folder has the same relative path (every load seeds the
    // user's folder with them, so such a file always comes back).
    static bool isShipped(LibraryFolder folder, const QString& path);
    // Deletes a library item's file. False, with a log line naming the
    // reason, when the file is still there afterwards (a folder in its
    // place, a read-only disk); a file that is already gone counts as
    // deleted.
    static bool removeFile(const QString& path);

    // Every entry below `folder`, subfolders and files alike, as paths
    // relative to it: depth first, a folder before its contents, siblings
    // ordered by name (case-insensitively, then exactly) so that the order
    // does not depend on the file system. Hidden entries and the contents of
    // symbolic links to folders are left out. Empty when `folder` is missing.
    static QStringList walk(const QString& folder);
    // The files of walk() whose extension (after the last '.'), upper-cased,
    // is one of `upperExtensions` (given upper-cased: "PNG", "FDD", ...).
    static QStringList walkFiles(const QString& folder, const QStringList& upperExtensions);

    // The first free path for `fileName` in `folder`: the name itself, else
    // "<base>-1.<ext>", "<base>-2.<ext>", ... up to `maxSuffix`, where <base>
    // is the name before its last '.' (a name without extension gets no
    // trailing dot). Nothing when every candidate is taken. A broken symbolic
    // link counts as taken.
    static std::optional<QString> uniqueFilePath(const QString& folder, const QString& fileName,
                                                 int maxSuffix = 99999);

    // Copies a file, or a folder with everything below it, to `destination`,
    // creating missing parent folders. Files are written atomically. Never
    // overwrites: false when `destination` exists. A folder copy goes on past
    // entries that fail and answers false if any did.
    static bool copyItem(const QString& source, const QString& destination);
    // Removes a file or a whole folder; false when something is left.
    static bool removeItem(const QString& path);
    // True when a file, folder or (even broken) link is at `path`.
    static bool exists(const QString& path);
};

} // namespace kit
