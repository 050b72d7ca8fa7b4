// Writes the text styles that ship with the application, each as a style
// file with the preview of a caption in that style beside it, and the
// picture of the built-in default entry of the style menus.
//
//   make-shipped-styles RESOURCES_FOLDER
//
// writes RESOURCES_FOLDER/Styles/<name>.style and .png, and
// RESOURCES_FOLDER/images/default_style.png. The styles use only fonts that
// scripts/bootstrap.sh installs; characters a face lacks (Chinese in a
// Latin face) come from the fallback fonts.

#include "text/kltextview.h"
#include "text/stylefile.h"
#include "text/textstyle.h"

#include "kit/imagewriter.h"

#include <cstdio>

#include <QDir>
#include <QGuiApplication>

namespace {

struct Shipped
{
    const char* name;
    const char* sample;
    const char* font;
    double size;
    QColor fill;
    QColor stroke;
    double strokeWidth;
    QColor shadowColor; // invalid: no shadow
    double shadowOffset;
    double shadowBlur;
    double shadowDegree;
    double opacity = 100;
    double ratio = 3;
};

const Shipped kStyles[] = {
    { "Outline", "Outline", "DejaVu Sans Bold", 24, Qt::white, Qt::black, 4, {}, 0, 0, 0 },
    { "Shadowed", "Shadowed", "Liberation Serif Bold", 24, QColor("#243b6b"), Qt::transparent, 0,
      QColor::fromRgbF(1 / 3.f, 1 / 3.f, 1 / 3.f), 8, 4, 135 },
    { "Neon", "Neon", "DejaVu Sans Bold", 24, QColor("#e8ffff"), QColor("#00b8d4"), 2,
      QColor("#00e5ff"), 0, 12, 0 },
    { "Stamp", "STAMP", "Liberation Mono Bold", 28, QColor("#c0392b"), Qt::transparent, 0,
      QColor(192, 57, 43, 90), 0, 2, 0, 85 },
    { "Handwriting",
      "Handwriting",
      "Comic Neue",
      26,
      QColor("#1f3a93"),
      Qt::transparent,
      0,
      {},
      0,
      0,
      0 },
    { "Handwriting Bold", "Hello!", "Comic Neue Bold", 26, QColor("#e84393"), Qt::white, 3,
      QColor(0, 0, 0, 110), 4, 6, 180 },
    { "Caption", "Caption", "DejaVu Sans", 20, Qt::white, Qt::black, 2, QColor(0, 0, 0, 160), 4, 4,
      180 },
    { "Headline",
      "HEADLINE",
      "DejaVu Sans Bold",
      26,
      QColor("#ffd32a"),
      Qt::black,
      4,
      {},
      0,
      0,
      0,
      100,
      4 },
    { "Festival", "新年快乐", "WenQuanYi Micro Hei", 28, QColor("#ffd700"), Qt::transparent, 0,
      QColor("#b00018"), 6, 2, 150 },
    { "Elegant", "Elegant", "Liberation Serif Italic", 26, QColor("#5b4636"), Qt::transparent, 0,
      QColor(91, 70, 54, 90), 3, 3, 160 },
    { "Retro", "Retro", "Liberation Sans Bold", 26, QColor("#ff7f27"), Qt::transparent, 0,
      QColor("#6b3e26"), 10, 0, 135 },
    { "Ghost", "Ghost", "DejaVu Serif", 24, Qt::white, QColor(120, 120, 120), 2, {}, 0, 0, 0, 60 },
    { "Typewriter",
      "Typewriter",
      "Liberation Mono",
      22,
      QColor("#333333"),
      Qt::transparent,
      0,
      {},
      0,
      0,
      0 },
};

TextStyle recordOf(const Shipped& s)
{
    TextStyle t = factoryTextStyle();
    t.ratio = s.ratio;
    t.fontName = QString::fromUtf8(s.font);
    t.fontSize = s.size;
    t.fontColor = s.fill;
    t.strokeColor = s.stroke;
    t.strokeWidth = s.strokeWidth;
    t.shadow = s.shadowColor.isValid();
    if (t.shadow) {
        t.shadowColor = s.shadowColor;
        t.shadowOffset = s.shadowOffset;
        t.shadowBlur = s.shadowBlur;
        t.shadowDegree = s.shadowDegree;
    }
    t.opacity = s.opacity;
    return t;
}

// A caption 100 high in the style, showing `sample`.
QImage preview(const TextStyle& style, const QString& sample)
{
    KLTextView caption({ 0, 0, style.ratio * 100, 100 });
    caption.applyStyleWithDictionary(style);
    caption._setText(sample);
    return caption.renderPreview();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-shipped-styles RESOURCES_FOLDER\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    resources.mkpath(QStringLiteral("Styles"));
    int failures = 0;
    for (const Shipped& s : kStyles) {
        const TextStyle style = recordOf(s);
        const QString path = resources.filePath(QStringLiteral("Styles/%1.style").arg(s.name));
        QString error;
        // Shipped styles keep the reference height of the caption they are
        // applied to (a scale height of 0), so the text fills new captions
        // as the default style does.
        if (!writeStyleFile(path, style, &error)
            || !kit::writeImage(preview(style, QString::fromUtf8(s.sample)), stylePreviewPath(path),
                                kit::ImageFormat::Png, &error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            ++failures;
        }
    }
    QString error;
    const QString picture = resources.filePath(QStringLiteral("images/default_style.png"));
    if (!kit::writeImage(preview(factoryTextStyle(), QStringLiteral("Aa")), picture,
                         kit::ImageFormat::Png, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(picture), qPrintable(error));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
