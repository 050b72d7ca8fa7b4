#include "placeholdercanvas.h"

#include "kit/graphicscontext.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/path.h"
#include "kit/render.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QPainter>

namespace {

// The drop shadow every canvas casts: blur 4, offset (0, −2), dark grey.
const kit::Shadow kCanvasShadow { 4, { 0, -2 }, QColor(85, 85, 85) };
// Room for the shadow around the plate.
constexpr double kPlateInset = 6;
// Space between the plate's edge (or border band) and the photos.
constexpr double kPhotoMargin = 12;
constexpr double kPhotoGap = 6;

} // namespace

PlaceholderCanvas::PlaceholderCanvas(Kind kind, const kit::Rect& frame)
    : kit::View(frame), m_kind(kind)
{
    registerForFileDrops(true);
}

void PlaceholderCanvas::_setHasCorner(bool on)
{
    m_hasCorner = on;
    setNeedsDisplay();
}

void PlaceholderCanvas::_setHasShadow(bool on)
{
    m_hasShadow = on;
    setNeedsDisplay();
}

void PlaceholderCanvas::_setFrameBorder(const std::optional<QString>& path)
{
    m_frameBorder.reset();
    if (path)
        m_frameBorder = KLFrameBorder::initWithBorderFile(*path);
    setNeedsDisplay();
}

void PlaceholderCanvas::_setBackgroundView(const std::optional<BackgroundEntry>& entry)
{
    m_background = entry;
    setNeedsDisplay();
}

void PlaceholderCanvas::clear()
{
    m_photos.clear();
    m_background.reset();
    setNeedsDisplay();
}

void PlaceholderCanvas::addPhotos(const std::vector<kit::Image>& photos)
{
    for (const kit::Image& photo : photos) {
        if (!photo.isNull())
            m_photos.push_back(photo);
    }
    setNeedsDisplay();
}

kit::Rect PlaceholderCanvas::plateRect() const
{
    const kit::Rect b = bounds();
    const double inset = std::min({ kPlateInset, b.width() / 4, b.height() / 4 });
    return b.insetBy(inset, inset);
}

void PlaceholderCanvas::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    const kit::Rect plate = plateRect();
    if (plate.isEmpty())
        return;
    gc.save();
    if (m_hasShadow)
        gc.setShadow(kCanvasShadow);
    // A frame border takes precedence over rounded corners.
    kit::Path shape = kit::Path::rect(plate);
    if (m_frameBorder)
        shape = m_frameBorder->borderPathForRect(plate);
    else if (m_hasCorner)
        shape = kit::Path::roundedRect(plate, plate.width() * 0.025, plate.width() * 0.025);

    const bool dark = m_background && m_background->tag == 1;
    gc.setColor(dark ? QColor(Qt::black) : QColor(Qt::white));
    gc.fill(shape);
    gc.clearShadow();
    gc.clip(shape);
    if (m_background && m_background->isPicture())
        gc.drawImage(m_background->image, plate);

    double band = 0;
    if (m_frameBorder)
        band = m_frameBorder->depthForRect(plate);
    const kit::Rect area = plate.insetBy(band + kPhotoMargin, band + kPhotoMargin);
    if (m_photos.empty())
        drawHint(gc, area, dark ? QColor(200, 200, 200) : QColor(120, 120, 120));
    else
        drawPhotos(gc, area);
    gc.restore();
}

void PlaceholderCanvas::drawPhotos(kit::GraphicsContext& gc, const kit::Rect& area) const
{
    if (area.isEmpty())
        return;
    const int n = int(m_photos.size());
    // Serial: one column; free layout: a near-square grid.
    const int columns = m_kind == Kind::Serial ? 1 : int(std::ceil(std::sqrt(double(n))));
    const int rows = (n + columns - 1) / columns;
    const double cellW = (area.width() - kPhotoGap * (columns - 1)) / columns;
    const double cellH = (area.height() - kPhotoGap * (rows - 1)) / rows;
    if (!(cellW > 0 && cellH > 0))
        return;
    for (int i = 0; i < n; ++i) {
        const kit::Image& photo = m_photos[i];
        const int col = i % columns, row = i / columns;
        // Rows from the top, y up.
        const kit::Rect cell { area.x() + col * (cellW + kPhotoGap),
                               area.maxY() - (row + 1) * cellH - row * kPhotoGap, cellW, cellH };
        const double scale =
            std::min(cell.width() / photo.size().width, cell.height() / photo.size().height);
        const double w = photo.size().width * scale, h = photo.size().height * scale;
        gc.drawImage(photo, { cell.midX() - w / 2, cell.midY() - h / 2, w, h });
    }
}

void PlaceholderCanvas::drawHint(kit::GraphicsContext& gc, const kit::Rect& area,
                                 const QColor& color) const
{
    if (area.isEmpty())
        return;
    const QString text =
        kit::localized(m_kind == Kind::Serial ? "SERIAL_LAYOUT_HINT" : "FREE_LAYOUT_HINT");
    QPainter& p = gc.painter();
    p.save();
    // Text reads top-down: undo the y-up flip about the area's top edge.
    p.translate(area.minX(), area.maxY());
    p.scale(1, -1);
    QFont font = p.font();
    font.setPixelSize(std::clamp(int(area.width() / 28), 10, 22));
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, area.width(), area.height()), Qt::AlignCenter | Qt::TextWordWrap, text);
    p.restore();
}

bool PlaceholderCanvas::saveToURL(const QString& path, kit::ImageFormat type, QString* error)
{
    const QImage image = kit::renderToImage(*this, 1.0);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("the canvas is empty");
        return false;
    }
    return kit::writeImage(image, path, type, error);
}

kit::DragOperation PlaceholderCanvas::draggingEntered(const kit::DragInfo& info)
{
    return info.sourceAllowsCopy ? kit::DragOperation::Copy : kit::DragOperation::None;
}

bool PlaceholderCanvas::performDragOperation(const kit::DragInfo& info)
{
    std::vector<kit::Image> photos;
    for (const QString& file : info.fileNames) {
        if (std::optional<kit::Image> image = kit::Image::load(file))
            photos.push_back(*image);
        else
            kit::log(kit::lcApp(), QStringLiteral("Load image from %1 failed!").arg(file));
    }
    addPhotos(photos);
    return !photos.empty();
}
