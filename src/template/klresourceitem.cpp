#include "klresourceitem.h"

#include "kit/graphicscontext.h"
#include "kit/numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

using kit::f32;

namespace {

// Text is laid out once at this pixel size and its outlines scaled to the
// fitted size; outlines and advances are unhinted, so they scale linearly.
constexpr int kReferencePixelSize = 1000;

// Mask fonts are light: weight 2 on the 0 … 15 scale where 5 is regular.
constexpr int kMaskFontWeight = 2;

QFont::Weight qtWeight(int weight)
{
    static constexpr QFont::Weight table[] = {
        QFont::Thin,     QFont::Thin,   QFont::ExtraLight, QFont::Light,
        QFont::Normal,   QFont::Normal, QFont::Medium,     QFont::DemiBold,
        QFont::DemiBold, QFont::Bold,   QFont::ExtraBold,  QFont::ExtraBold,
        QFont::Black,    QFont::Black,  QFont::Black,      QFont::Black,
    };
    return table[std::clamp(weight, 0, 15)];
}

// The text in one line at the reference size: outlines y up with the
// baseline from (0, 0), and the size the text takes (advance width, line
// height).
struct ReferenceText
{
    QPainterPath outline;
    kit::Size size;
};

ReferenceText layoutAtReferenceSize(const QString& text, const QFont& font)
{
    QFont f(font);
    f.setPixelSize(kReferencePixelSize);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);

    QTextLayout layout(text, f);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setNumColumns(int(text.size()));
        line.setPosition({ 0, 0 });
    }
    layout.endLayout();

    ReferenceText out;
    out.outline.setFillRule(Qt::WindingFill);
    if (!line.isValid())
        return out;
    const qreal ascent = line.ascent();
    out.size = { line.naturalTextWidth(),
                 ascent + line.descent() + std::max<qreal>(0, line.leading()) };
    // Glyph outlines are y-down about their baseline origin; the layout's
    // baseline lies at y = ascent. Flip so the baseline is y = 0, y up.
    const QTransform flip(1, 0, 0, -1, 0, ascent);
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            QPainterPath glyph = raw.pathForGlyph(glyphs[i]);
            glyph.translate(positions[i]);
            out.outline.addPath(flip.map(glyph));
        }
    }
    return out;
}

// A font's size in user units: its point size, or its pixel size when it
// was given in pixels.
double userSize(const QFont& font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : std::max(0, font.pixelSize());
}

// The size (user units) at which text of `referenceSize` at the reference
// pixel size fits `area`: startSize × (k × 1.8), k fitting the text at
// startSize with a margin of 2. None when no positive, finite size results.
std::optional<double> fittedSize(kit::Size referenceSize, kit::Size area, int startSize)
{
    if (startSize <= 0)
        return std::nullopt;
    const double toStart = double(startSize) / kReferencePixelSize;
    const float k = KLResourceItem::scaleToAspectFit(referenceSize * toStart, area, 2.0f);
    const double size = f32(double(startSize) * f32(k * 1.8f));
    if (!std::isfinite(size) || size <= 0)
        return std::nullopt;
    return size;
}

// The reference outline at `size` user units, its baseline starting at `at`.
kit::Path pathFromReference(const QPainterPath& outline, double size, kit::Point at)
{
    const double k = size / kReferencePixelSize;
    kit::Path path;
    path.moveTo(at);
    path.addPath(kit::Path(QTransform(k, 0, 0, k, at.x, at.y).map(outline)));
    return path;
}

int toInt(qint64 v)
{
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

} // namespace

KLResourceItem::KLResourceItem(const kit::Rect& frame) : kit::View(frame)
{
    m_data = std::vector<double> {};
}

KLResourceItem::~KLResourceItem() = default;

std::unique_ptr<KLResourceItem> KLResourceItem::create(const kit::Rect& frame, QStringView format)
{
    const std::optional<CellRecord> record = parseCellLine(format);
    if (!record)
        return nullptr;
    return create(frame, *record);
}

std::unique_ptr<KLResourceItem> KLResourceItem::create(const kit::Rect& frame,
                                                       const CellRecord& record)
{
    auto item = std::make_unique<KLResourceItem>(frame);
    item->applyRecord(record);
    item->_updateMaskPath();
    return item;
}

bool KLResourceItem::_loadFormat(QStringView format)
{
    const std::optional<CellRecord> record = parseCellLine(format);
    if (!record)
        return false;
    applyRecord(*record);
    return true;
}

void KLResourceItem::applyRecord(const CellRecord& record)
{
    setRect(record.rect);
    setMaskMode(record.maskMode);
    setBorderSize(record.borderSize);
    _setBordered(record.isBordered);
    _setBorderColor(record.borderColor);
    setData(record.data);
    setDegree(record.degree);
}

void KLResourceItem::_setBordered(bool bordered)
{
    m_isBordered = bordered;
    setNeedsDisplay();
}

void KLResourceItem::setBackgroundImage(const std::optional<kit::Image>& picture,
                                        kit::Rect placement)
{
    if (!m_isBordered || m_borderSize == 0)
        return;
    m_backgroundImage = picture && !picture->isNull() ? picture : std::nullopt;
    m_backgroundPlacement = placement;
}

// -- Geometry

void KLResourceItem::setFrameSize(kit::Size size)
{
    if (std::isnan(size.width) || std::isnan(size.height))
        return;
    kit::View::setFrameSize(size);
    _updateImageSize();
    _updateMaskPath();
    setNeedsDisplay();
}

kit::Point KLResourceItem::_updatePoint(double fx, double fy)
{
    const kit::Rect b = bounds();
    if (m_isBordered)
        m_rborderSize = float(double(m_borderSize) * b.width());
    const kit::Rect r =
        m_isBordered && m_borderSize > 0 ? b.insetBy(m_rborderSize, m_rborderSize) : b;
    return { r.x() + fx * r.width(), r.y() + fy * r.height() };
}

void KLResourceItem::_updateMaskPath()
{
    m_maskPath.reset();
    const bool empty = std::visit([](const auto& list) { return list.empty(); }, m_data);
    if (empty) {
        const kit::Rect b = bounds();
        m_maskPath = kit::Path::rect(m_isBordered ? b.insetBy(m_rborderSize, m_rborderSize) : b);
        return;
    }

    if (m_maskMode == MaskMode::Curves) {
        const auto* segments = std::get_if<std::vector<std::vector<double>>>(&m_data);
        if (!segments)
            return;
        kit::Path path;
        bool started = false;
        for (const std::vector<double>& s : *segments) {
            auto p = [&](int i) {
                return _updatePoint(s[2 * i], s[2 * i + 1]);
            };
            switch (s.size()) {
            case 8:
                path.moveTo(p(0));
                path.curveTo(p(1), p(2), p(3));
                started = true;
                break;
            case 6:
                // Continues the outline; without a current point there is
                // nothing to continue.
                if (started)
                    path.curveTo(p(0), p(1), p(2));
                break;
            case 4:
                path.moveTo(p(0));
                path.lineTo(p(1));
                started = true;
                break;
            case 2:
                if (started)
                    path.lineTo(p(0));
                break;
            default:
                break;
            }
        }
        path.close();
        m_maskPath = path;
    } else if (m_maskMode == MaskMode::Polygon) {
        const auto* numbers = std::get_if<std::vector<double>>(&m_data);
        if (!numbers)
            return;
        kit::Path path;
        for (size_t i = 0; i + 1 < numbers->size(); i += 2) {
            const kit::Point p = _updatePoint((*numbers)[i], (*numbers)[i + 1]);
            if (i == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
        path.close();
        m_maskPath = path;
    } else if (m_maskMode == MaskMode::Text) {
        m_maskPath = textMask();
    }
}

std::optional<kit::Path> KLResourceItem::textMask()
{
    const auto* fields = std::get_if<QStringList>(&m_data);
    if (!fields || fields->size() < 3)
        return std::nullopt;
    const int startSize = toInt(kit::integerValue(fields->at(1)));
    const QStringList key = fields->mid(0, 3);
    if (key != m_textKey) {
        m_textKey = key;
        m_textOutline.reset();
        const std::optional<QFont> font = fontWithFamily(key[0], kMaskFontWeight, startSize);
        if (font) {
            ReferenceText ref = layoutAtReferenceSize(key[2], *font);
            m_textOutline = std::move(ref.outline);
            m_textSize = ref.size;
        }
    }
    if (!m_textOutline)
        return std::nullopt;
    const std::optional<double> size = fittedSize(m_textSize, bounds().size, startSize);
    if (!size)
        return std::nullopt;
    return pathFromReference(*m_textOutline, *size, { 0, 0 });
}

void KLResourceItem::_updateImageSize()
{
    const double W = bounds().width(), H = bounds().height();
    if (std::isnan(W) || std::isnan(H))
        return;
    if (!m_image) {
        m_imageSize = {};
        return;
    }
    const double w = m_image->size().width, h = m_image->size().height;
    const double a = f32(w / h);
    kit::Size fit;
    if (W > H)
        fit = w > h ? kit::Size(W, W / a) : kit::Size(a * H, H);
    else
        fit = h > w ? kit::Size(W, W / a) : kit::Size(a * H, H);
    if (m_imageScale != 0 && m_imageScale != 1)
        fit = fit * double(m_imageScale);
    m_imageSize = fit;
}

bool KLResourceItem::pointInMask(kit::Point windowPoint) const
{
    if (!m_maskPath)
        return false;
    return m_maskPath->contains(convertPointFromView(windowPoint, nullptr));
}

bool KLResourceItem::isPointInside(kit::Point local) const
{
    return m_maskPath && m_maskPath->contains(local);
}

// -- Photo

void KLResourceItem::_setImage(const std::optional<kit::Image>& image)
{
    m_image.reset();
    if (image && !image->isNull()) {
        m_image = image;
        m_imageScale = 1.5f;
        m_imagePosition = { 0, 0 };
        _updateImageSize();
    }
    setNeedsDisplay();
}

void KLResourceItem::_setImageScale(float scale)
{
    if (!std::isfinite(scale))
        return;
    float s = std::min(scale, 6.0f);
    if (s < 0.1f)
        s = 0.1f;
    const float d = s - m_imageScale;
    m_imageScale = s;
    _updateImageSize();
    if (m_image) {
        const double w = m_image->size().width, h = m_image->size().height;
        m_imagePosition.x -= f32(double(d) * w) / f32(2 * w);
        m_imagePosition.y -= f32(double(d) * h) / f32(2 * h);
    }
    setNeedsDisplay();
}

void KLResourceItem::_setImagePosition(kit::Point position)
{
    // A cell without width or height keeps the origin on that axis rather
    // than a position that is not a number.
    const kit::Rect b = bounds();
    const double fx = position.x / b.width(), fy = position.y / b.height();
    m_imagePosition = { std::isfinite(fx) ? fx : 0, std::isfinite(fy) ? fy : 0 };
    setNeedsDisplay();
}

void KLResourceItem::_setImagePlacement(kit::Point position, float scale)
{
    if (std::isfinite(scale)) {
        m_imageScale = std::clamp(scale, 0.0f, 6.0f);
        _updateImageSize();
    }
    if (std::isfinite(position.x) && std::isfinite(position.y))
        m_imagePosition = position;
    setNeedsDisplay();
}

// -- Responder and drawing

void KLResourceItem::keyDown(const kit::KeyEvent& event)
{
    switch (event.keyCode) {
    case kit::KeyCode::Delete:
        _setImage(std::nullopt);
        break;
    case kit::KeyCode::Up:
        _setImageScale(m_imageScale + 0.1f);
        break;
    case kit::KeyCode::Down:
        _setImageScale(m_imageScale - 0.1f);
        break;
    default:
        break;
    }
}

std::optional<kit::Path> KLResourceItem::focusRingPath() const
{
    if (m_degree != 0)
        return std::nullopt;
    return m_maskPath;
}

QColor KLResourceItem::placeholderColor(int tag)
{
    static const QColor colors[7] = {
        QColor(255, 49, 114),  QColor(176, 201, 112), QColor(255, 219, 144), QColor(165, 218, 249),
        QColor(255, 153, 194), QColor(87, 183, 223),  QColor(32, 148, 211),
    };
    const int index = tag % 7;
    return colors[index < 0 ? index + 7 : index];
}

void KLResourceItem::drawBackgroundPart(kit::GraphicsContext& gc) const
{
    const kit::Image& picture = *m_backgroundImage;
    const kit::Rect placement = m_backgroundPlacement.isEmpty()
        ? kit::Rect({ 0, 0 }, picture.size())
        : m_backgroundPlacement;
    // The whole picture, drawn in the superview's coordinates as the canvas
    // draws it and clipped to the cell: every device pixel of the band gets
    // the value the plate has beneath it, so neither the cell's edges nor its
    // turn show in the picture.
    gc.save();
    gc.clipToRect(bounds());
    gc.concat(transformToSuperview().inverted());
    gc.drawImage(picture, placement, std::nullopt, kit::CompositeOp::Copy);
    gc.restore();
}

void KLResourceItem::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    gc.save();
    const bool text = m_maskMode == MaskMode::Text;
    const bool band = m_isBordered && m_borderSize > 0;
    if (band) {
        if (m_backgroundImage) {
            if (!text)
                drawBackgroundPart(gc);
        } else {
            gc.setColor(m_borderColor.value_or(QColor(Qt::white)));
            if (!text)
                gc.fillRect(bounds());
        }
    }

    if (m_maskPath) {
        gc.clip(*m_maskPath);
        if (text && band) {
            // Colours the letters; their shrunken copy below leaves a band
            // along every outline.
            if (m_backgroundImage)
                drawBackgroundPart(gc);
            else
                gc.fillRect(bounds());
        }
        gc.setColor(placeholderColor(tag()));
        if (text && band) {
            const auto* fields = std::get_if<QStringList>(&m_data);
            float dx = 0, dy = 0;
            if (fields && fields->size() == 6) {
                dx = kit::floatValue(fields->at(3));
                dy = kit::floatValue(fields->at(4));
            }
            gc.clip(m_maskPath->scaledPath(1.0f - m_borderSize, dx, dy));
        }
        gc.fill(*m_maskPath);
    }

    if (m_image) {
        const kit::Rect b = bounds();
        const kit::Rect dest(m_imagePosition.x * b.width(), m_imagePosition.y * b.height(),
                             m_imageSize.width, m_imageSize.height);
        gc.drawImage(*m_image, dest, std::nullopt, kit::CompositeOp::Copy);
    }
    gc.restore();

    if (isFirstResponder()) {
        if (const std::optional<kit::Path> ring = focusRingPath())
            gc.drawFocusRing(*ring);
    }
}

// -- Text masks

std::optional<QFont> KLResourceItem::fontWithFamily(const QString& family, int weight, double size)
{
    if (family.isEmpty() || !QFontDatabase::hasFamily(family))
        return std::nullopt;
    QFont font(family);
    font.setWeight(qtWeight(weight));
    font.setStyle(QFont::StyleNormal);
    if (size > 0 && std::isfinite(size))
        font.setPointSizeF(size);
    return font;
}

kit::Path KLResourceItem::makePathFromString(const QString& text, const QFont& font, kit::Point at)
{
    return pathFromReference(layoutAtReferenceSize(text, font).outline, userSize(font), at);
}

std::optional<QFont> KLResourceItem::fontSizedForAreaSize(kit::Size area, const QString& text,
                                                          const QFont& font, int startSize)
{
    const std::optional<double> size =
        fittedSize(layoutAtReferenceSize(text, font).size, area, startSize);
    if (!size)
        return std::nullopt;
    QFont fitted(font);
    fitted.setPointSizeF(*size);
    return fitted;
}

float KLResourceItem::scaleToAspectFit(kit::Size content, kit::Size area, float padding)
{
    const float kw = (float(area.width) - padding) / float(content.width);
    const float kh = (float(area.height) - padding) / float(content.height);
    return std::min(kw, kh);
}

void KLResourceItem::imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out,
                                  double scale) const
{
    if (m_image && !m_imageSize.isEmpty())
        out.emplace_back(*m_image,
                         QSize(int(std::ceil(m_imageSize.width * scale)),
                               int(std::ceil(m_imageSize.height * scale))));
}
