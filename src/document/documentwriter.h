#pragma once

// The collage document writer: a description in, the bytes of a ".tessera"
// file out, and the atomic save of those bytes.
//
// Paths are written relative to the document's folder, so that a document
// moved together with its photos still finds them, with the absolute path
// beside them for a document moved alone.

#include "collagedocument.h"

#include <QByteArray>
#include <QString>

// The document as JSON. `documentFolder` is the absolute folder the document
// will lie in. `autosaveOf`, when given, records the document an autosaved
// copy stands for.
QByteArray writeCollageDocument(const CollageDocument& document, const QString& documentFolder,
                                const QString& autosaveOf = {});

// Writes the document to `path` atomically: an existing file is replaced
// only once the new one is complete. False, with the reason in `error`, when
// it could not be written (the old file is then as it was) or when a photo
// has no file to refer to.
bool saveCollageDocument(const CollageDocument& document, const QString& path, QString* error,
                         const QString& autosaveOf = {});

// The photos of the document that have no file, in a sentence for the
// person; empty when every photo has one.
QString photosWithoutFile(const CollageDocument& document);
