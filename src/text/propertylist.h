#pragma once

// XML property lists whose root is a dictionary of plain values: the format
// of style files. Values read as QVariant: <string> a QString, <real> a
// double, <integer> a qint64, <true/> and <false/> a bool, <data> a
// QByteArray (base64 in the file). Arrays, nested dictionaries and dates are
// skipped; a key given twice keeps its last value.
//
// The reader is meant for files anyone may have written: it refuses, with a
// reason, anything that is not well-formed XML, declares entities, nests
// deeper than a dictionary of arrays or dictionaries allows, or has more keys
// or longer texts than a style needs.

#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace plist {

// Limits of what the reader accepts.
inline constexpr int kMaxKeys = 256;
inline constexpr int kMaxDepth = 16;
inline constexpr qsizetype kMaxTextLength = 64 * 1024;

// The root dictionary, or nothing with the reason in `error`.
std::optional<QVariantMap> readDictionary(const QByteArray& xml, QString* error = nullptr);

// A property list of the entries in the order given. Values of the types the
// reader yields; a double is written as a real in single precision (the
// shortest decimal that reads back as the same float), an integer type as an
// integer. Entries of other types are left out.
QByteArray writeDictionary(const std::vector<std::pair<QString, QVariant>>& entries);

} // namespace plist
