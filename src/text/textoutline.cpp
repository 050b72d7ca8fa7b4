#include "textoutline.h"

#include "kit/geometry.h"

#include <cmath>

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

namespace {

// Text is shaped at this pixel size and the outlines scaled to the size
// asked for: at a thousand pixels to the em, hinting and the 1/64-pixel grid
// of glyph positions are far below what any caption shows, so the outline
// grows exactly in proportion with the font size.
constexpr double kReferenceSize = 1000;

QFont referenceFont(const QFont& font)
{
    QFont f = font;
    f.setPixelSize(int(kReferenceSize));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Units of the canvas per reference pixel.
double unitScale(const QFont& font)
{
    const double size = font.pointSizeF();
    return size > 0 ? size / kReferenceSize : 0;
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

TextExtent measureText(const QString& text, const QFont& font, double containerWidth)
{
    const double scale = unitScale(font);
    if (!(scale > 0))
        return {};
    QString laid = text;
    for (QChar& c : laid) {
        if (isLineBreak(c))
            c = QChar::LineSeparator;
    }
    QTextLayout layout(laid, referenceFont(font));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    TextExtent used;
    double y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        // Qt keeps widths in 26.6 fixed point; no caption needs more.
        line.setLineWidth(std::min(containerWidth / scale, 1e7));
        line.setPosition({ 0, y });
        y += line.height();
        used.width = std::max(used.width, line.naturalTextWidth());
    }
    layout.endLayout();
    used.height = y;
    return { used.width * scale, used.height * scale };
}

kit::Path makePathFromString(const QString& text, const QFont& font, kit::Point at)
{
    const double scale = unitScale(font);
    QString run = text;
    run.removeIf(isLineBreak);
    if (!(scale > 0) || run.isEmpty())
        return {};
    QTextLayout layout(run, referenceFont(font));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return {};
    }
    line.setPosition({ 0, 0 });
    layout.endLayout();
    const double baseline = line.ascent();

    // Glyph origins lie on the baseline; outlines come y-down from it.
    QPainterPath outline;
    for (const QGlyphRun& glyphs : layout.glyphRuns()) {
        const QRawFont raw = glyphs.rawFont();
        const QList<quint32> indexes = glyphs.glyphIndexes();
        const QList<QPointF> positions = glyphs.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            QPainterPath glyph = raw.pathForGlyph(indexes[i]);
            if (!glyph.isEmpty())
                outline.addPath(glyph.translated(positions[i].x(), positions[i].y() - baseline));
        }
    }
    if (outline.isEmpty())
        return {};
    const QTransform toCanvas =
        QTransform::fromScale(scale, -scale) * QTransform::fromTranslate(at.x, at.y);
    return kit::Path(toCanvas.map(outline));
}

kit::Path captionOutline(const QString& text, const QFont& nominal, double scaleHeight,
                         kit::Size box)
{
    if (!(scaleHeight > 0) || !(box.height > 0) || !std::isfinite(box.height / scaleHeight))
        return {};
    const double s = box.height / scaleHeight;
    const double drawnSize = kit::f32(nominal.pointSizeF()) * s;
    QFont drawn = nominal;
    drawn.setPointSizeF(drawnSize);
    const TextExtent used = measureText(text, drawn, 50000);
    const kit::Point start((box.width - used.width) / 2, (box.height - used.height + 10) / 2);
    return makePathFromString(text, drawn, start);
}
