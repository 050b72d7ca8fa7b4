#pragma once

// Helpers shared by the tests: reading back pixels of renders and making
// small files.

#include <QColor>
#include <QImage>
#include <QString>

namespace testsupport {

// The colour of the pixel at (x, y) counted from the lower left corner, as
// views see their bounds.
QColor pixelYUp(const QImage& image, int x, int y);

// True when every channel differs by at most `tolerance` (0..255).
bool sameColor(const QColor& a, const QColor& b, int tolerance = 2);

// Writes `image` to `path` in the format of the extension; false on failure.
bool writeImage(const QImage& image, const QString& path, int quality = 95);

// A path to a file under tests/data.
QString dataPath(const QString& name);

} // namespace testsupport
