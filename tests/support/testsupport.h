#pragma once

// Helpers shared by the tests: reading back pixels of renders, comparing
// geometry, making pictures and files, and capturing log lines.

#include "kit/geometry.h"
#include "kit/image.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

// QStrings in failure messages and printed values read as text.
inline std::ostream& operator<<(std::ostream& os, const QString& s)
{
    return os << s.toStdString();
}

namespace testsupport {

// The colour of the pixel at (x, y) counted from the lower left corner, as
// views see their bounds.
QColor pixelYUp(const QImage& image, int x, int y);

// True when every channel differs by at most `tolerance` (0..255).
bool sameColor(const QColor& a, const QColor& b, int tolerance = 2);

// Geometry equal within `tolerance` on every coordinate; the failure message
// shows both values. Use as EXPECT_TRUE(rectNear(actual, expected)).
::testing::AssertionResult rectNear(const kit::Rect& actual, const kit::Rect& expected,
                                    double tolerance = 1e-6);
::testing::AssertionResult pointNear(kit::Point actual, kit::Point expected,
                                     double tolerance = 1e-6);

// A picture of one colour (ARGB32 premultiplied unless `format` says
// otherwise), and the same as a photo that views can show.
QImage solidImage(QSize size, const QColor& color,
                  QImage::Format format = QImage::Format_ARGB32_Premultiplied);
kit::Image solidPhoto(QSize size, const QColor& color);
// Four quadrants as read, first row at the top: red | green over blue |
// `lowerRight`; shows whether a picture was drawn turned or mirrored.
QImage quadrants(QSize size, const QColor& lowerRight = Qt::white);

// Writes `image` to `path` in the format of the extension; false on failure.
bool writeImage(const QImage& image, const QString& path, int quality = 95);
// Writes `bytes` to `path`, creating the folders above it; answers the path
// (empty on failure), so that it can be handed on directly.
QString writeFile(const QString& path, const QByteArray& bytes);
// The contents of `path`, empty when it cannot be read.
QByteArray readFile(const QString& path);
// The page size in points of a PDF's first MediaBox; empty when it has none.
QSizeF pdfPageSize(const QByteArray& pdf);

// A path to a file under tests/data.
QString dataPath(const QString& name);

// `image` encoded as a JPEG of quality 95; with `exifOrientation` (1..8) an
// EXIF segment that asks viewers to turn it.
QByteArray jpegData(const QImage& image, int exifOrientation = 0);

// Runs the event loop until `done` holds or `limitMs` passed (a guard against
// a hang, not a measurement); answers `done()`.
bool waitUntil(const std::function<bool()>& done, int limitMs = 20000);

// The messages logged while it lives, from any thread; with a category name,
// only the messages of that category ("tessera.template", ...). Captures
// nest: the innermost one receives the messages.
class LogCapture
{
public:
    explicit LogCapture(const char* category = nullptr);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines() const;
    // Whether a captured line contains `text`, and the lines that do.
    bool contains(const QString& text) const;
    QStringList matching(const QString& text) const { return lines().filter(text); }
    void clear();

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message);
    QByteArray m_category;
    QStringList m_lines;
    LogCapture* m_outer;
    QtMessageHandler m_previous;
};

} // namespace testsupport
