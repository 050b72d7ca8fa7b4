#include "testsupport.h"

#include <cstdlib>

#include <QImageWriter>

namespace testsupport {

QColor pixelYUp(const QImage& image, int x, int y)
{
    return image.pixelColor(x, image.height() - 1 - y);
}

bool sameColor(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance
        && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

bool writeImage(const QImage& image, const QString& path, int quality)
{
    QImageWriter writer(path);
    writer.setQuality(quality);
    return writer.write(image);
}

QString dataPath(const QString& name) { return QStringLiteral(TESSERA_TEST_DATA "/") + name; }

} // namespace testsupport
