// Renders the library thumbnail of each frame border file: the border's
// outline for a square, filled in a neutral grey on a transparent ground as a
// canvas fills it, written as a PNG of the same base name beside the border
// file.
//
//   render-border-thumbs [--size PIXELS] FILE.bdr...

#include "border/klframeborder.h"

#include <cstdio>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace {

// The outline is drawn a little inside the image so that antialiased outer
// edges are not cut off.
constexpr int kMargin = 4;

bool renderThumbnail(const QString& borderPath, int size)
{
    const auto border = KLFrameBorder::initWithBorderFile(borderPath);
    if (!border)
        return false;

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Border geometry is y-up; the image is y-down.
        painter.translate(0, size);
        painter.scale(1, -1);
        const kit::Rect square(kMargin, kMargin, size - 2 * kMargin, size - 2 * kMargin);
        // A canvas never draws outside its own rectangle; corner pieces of a
        // motif may reach a little past it.
        painter.setClipRect(square.toQt());
        painter.fillPath(border->borderPathForRect(square).toQt(), QColor(0x8c, 0x93, 0x9d));
    }

    const QFileInfo info(borderPath);
    const QString target = info.path() + QLatin1Char('/') + info.completeBaseName() + ".png";
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image) || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        return false;
    }
    std::printf("%s\n", qPrintable(target));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = QGuiApplication::arguments().mid(1);
    int size = 128;
    if (args.size() >= 2 && args.first() == QLatin1String("--size")) {
        bool ok = false;
        size = args.at(1).toInt(&ok);
        if (!ok || size < 2 * kMargin + 8 || size > 4096) {
            std::fprintf(stderr, "invalid --size %s\n", qPrintable(args.at(1)));
            return 2;
        }
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: render-border-thumbs [--size PIXELS] FILE.bdr...\n");
        return 2;
    }
    int failures = 0;
    for (const QString& path : args)
        failures += renderThumbnail(path, size) ? 0 : 1;
    return failures == 0 ? 0 : 1;
}
