#pragma once

// Save a Copy With Photos: a self-contained folder that holds the document
// and every file it refers to, so that it can be moved or sent as one.
//
//   FOLDER/FOLDER.tessera
//   FOLDER/photos/      the photos and background pictures, as read
//   FOLDER/templates/   the template, from the text the collage was built from
//   FOLDER/borders/     the frame borders
//
// Files keep their names, with "-1", "-2", ... added when two differ and
// share one. The copy is built under a temporary name beside FOLDER and
// renamed at the end: it appears whole or not at all, and nothing that
// existed is touched.

#include "collagedocument.h"

#include <QStringList>

struct DocumentCopyResult
{
    bool ok = false;
    // Why the copy failed, in a sentence.
    QString error;
    // The written document.
    QString documentPath;
    // Photos that could not be copied because they were missing when the
    // collage was opened; the copy refers to them where they were.
    QStringList notCopied;
};

// `folder` must not exist; its parent must.
DocumentCopyResult saveCopyWithPhotos(const CollageDocument& document, const QString& folder);
