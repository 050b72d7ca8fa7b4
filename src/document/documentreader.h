#pragma once

// The collage document reader: a pure function from the bytes of a
// ".tessera" file (JSON) to a collage description, or to the reason it is
// not one. It touches no file and no view: paths in the document are only
// resolved against the document's folder, and the photos they name are read
// later by the photo loader.
//
// A document names its format version; a later version than this program's
// is refused with a message that names it, an earlier one is read. Anything
// out of the limits of documentlimits (sizes, counts, numbers that are not
// finite or absurdly large, nesting deeper than JSON allows) refuses the
// whole document with a sentence naming the field; unknown fields are
// ignored.

#include "collagedocument.h"

#include <optional>

#include <QByteArray>
#include <QString>

struct DocumentReadResult
{
    // Set exactly when the document was read.
    std::optional<CollageDocument> document;
    // Why it could not be read, in a sentence; empty on success.
    QString error;
    // The format version the document declares; 0 when it declares none.
    int version = 0;
    // Where an autosaved copy came from (see documentwriter.h); empty
    // otherwise.
    QString autosaveOf;

    bool ok() const { return document.has_value(); }
};

// Reads a document from its bytes. Relative paths in it are resolved
// against `documentFolder`, the absolute folder the document lies in.
DocumentReadResult readCollageDocument(const QByteArray& bytes, const QString& documentFolder);

// Reads the file at `path` (a regular file of at most
// documentlimits::kMaxBytes) and then its bytes as above.
DocumentReadResult readCollageDocumentFile(const QString& path);
