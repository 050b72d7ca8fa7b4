#include "rendercaptions.h"

#include "canvas/klcanvasview.h"
#include "text/stylefile.h"
#include "text/stylelibrary.h"

#include <cmath>

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString kCaption = QStringLiteral("caption");
const QString kStyle = QStringLiteral("style");

// The width the editor lays its canvases out at, and so its captions.
constexpr double kLayoutWidth = 1024;

std::optional<double> finiteNumber(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

RenderCaption parseCaptionArgument(const QString& value)
{
    RenderCaption caption;
    caption.text = value;
    const qsizetype at = value.lastIndexOf(QLatin1Char('@'));
    if (at < 0)
        return caption;
    const QStringList numbers = value.mid(at + 1).split(QLatin1Char(','));
    if (numbers.size() != 2)
        return caption;
    const std::optional<double> x = finiteNumber(numbers[0]), y = finiteNumber(numbers[1]);
    if (!x || !y)
        return caption;
    caption.text = value.left(at);
    caption.x = *x;
    caption.y = *y;
    return caption;
}

QList<QCommandLineOption> captionOptions()
{
    return {
        { kCaption,
          QStringLiteral("a caption centred on X,Y, fractions of the canvas from its top-left "
                         "corner (default the centre); repeat for more"),
          QStringLiteral("TEXT[@X,Y]") },
        { kStyle,
          QStringLiteral("the text style of the captions after it: a style name or a .style "
                         "file (default: the default text style)"),
          QStringLiteral("NAME|FILE") },
    };
}

std::vector<RenderCaption> readCaptions(const QCommandLineParser& parser, QStringList* styles)
{
    // The values of each option come in order; the names tell how the two
    // options interleave.
    const QStringList texts = parser.values(kCaption);
    const QStringList styleValues = parser.values(kStyle);
    if (styles)
        *styles = styleValues;
    std::vector<RenderCaption> captions;
    std::optional<QString> style;
    qsizetype nextText = 0, nextStyle = 0;
    for (const QString& name : parser.optionNames()) {
        if (name == kStyle && nextStyle < styleValues.size()) {
            style = styleValues[nextStyle++];
        } else if (name == kCaption && nextText < texts.size()) {
            RenderCaption caption = parseCaptionArgument(texts[nextText++]);
            caption.style = style;
            captions.push_back(caption);
        }
    }
    return captions;
}

std::variant<TextStyle, QString> loadRenderStyle(const QString& nameOrFile)
{
    if (QFileInfo(nameOrFile).isFile()
        || nameOrFile.endsWith(QLatin1String(".style"), Qt::CaseInsensitive)) {
        if (std::optional<TextStyle> style = readStyleFile(nameOrFile))
            return *style;
        return QStringLiteral("not a readable text style file");
    }
    // A name is a title of the style lists: a path below one of the folders.
    const bool plainName =
        !nameOrFile.isEmpty() && !nameOrFile.split(QLatin1Char('/')).contains(QStringLiteral(".."));
    if (plainName) {
        for (const QString& folder : { userStylesFolder(false), shippedStylesFolder() }) {
            const QString path = folder + QLatin1Char('/') + nameOrFile + QStringLiteral(".style");
            if (!QFileInfo(path).isFile())
                continue;
            if (std::optional<TextStyle> style = readStyleFile(path))
                return *style;
            return QStringLiteral("the style file %1 cannot be read").arg(path);
        }
    }
    return QStringLiteral("no such text style (neither a .style file nor one of the person's "
                          "or the shipped styles)");
}

void addRenderCaptions(KLCanvasView& canvas, const std::vector<RenderCaption>& captions,
                       const std::vector<std::pair<QString, TextStyle>>& styles)
{
    const kit::Size size = canvas.frame().size;
    if (captions.empty() || !(size.width > 0) || !(size.height > 0))
        return;
    canvas.setFrameSize({ kLayoutWidth, kLayoutWidth * size.height / size.width });
    const kit::Rect b = canvas.bounds();
    const TextStyle fallback = defaultTextStyle();
    for (const RenderCaption& c : captions) {
        const TextStyle* style = &fallback;
        for (const auto& [value, loaded] : styles) {
            if (c.style && value == *c.style)
                style = &loaded;
        }
        // Fractions from the top-left corner; the canvas is y-up.
        const kit::Point p { b.minX() + c.x * b.width(), b.minY() + (1 - c.y) * b.height() };
        canvas.addTextView(c.text, canvas.captionPointFromCanvas(p), *style);
    }
    canvas.setFrameSize(size);
}
