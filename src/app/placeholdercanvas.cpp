#include "placeholdercanvas.h"

#include "kit/graphicscontext.h"
#include "kit/localisation.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QPainter>

namespace {

// Space between the plate's edge (or border band) and the photos.
constexpr double kPhotoMargin = 12;
constexpr double kPhotoGap = 6;

// The photos fitted into a near-square grid, or one column.
void drawPhotos(kit::GraphicsContext& gc, const kit::Rect& area,
                const std::vector<kit::Image>& photos, bool oneColumn)
{
    const int n = int(photos.size());
    const int columns = oneColumn ? 1 : int(std::ceil(std::sqrt(double(n))));
    const int rows = (n + columns - 1) / columns;
    const double cellW = (area.width() - kPhotoGap * (columns - 1)) / columns;
    const double cellH = (area.height() - kPhotoGap * (rows - 1)) / rows;
    if (!(cellW > 0 && cellH > 0))
        return;
    for (int i = 0; i < n; ++i) {
        const kit::Size size = photos[i].size();
        const int col = i % columns, row = i / columns;
        // Rows from the top, y up.
        const kit::Rect cell { area.x() + col * (cellW + kPhotoGap),
                               area.maxY() - (row + 1) * cellH - row * kPhotoGap, cellW, cellH };
        const double scale = std::min(cell.width() / size.width, cell.height() / size.height);
        const double w = size.width * scale, h = size.height * scale;
        gc.drawImage(photos[i], { cell.midX() - w / 2, cell.midY() - h / 2, w, h });
    }
}

void drawHint(kit::GraphicsContext& gc, const kit::Rect& area, const QString& text,
              const QColor& color)
{
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

} // namespace

PlaceholderCanvas::PlaceholderCanvas(Kind kind, const kit::Rect& frame)
    : KLCanvasView(frame), m_kind(kind)
{ }

void PlaceholderCanvas::addPhotos(const std::vector<kit::Image>& photos)
{
    for (const kit::Image& photo : photos) {
        if (!photo.isNull())
            m_photos.push_back(photo);
    }
    setNeedsDisplay();
}

void PlaceholderCanvas::drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty)
{
    KLCanvasView::drawRect(gc, dirty);
    const kit::Rect plate = plateRect();
    const double band = frameBorder() ? frameBorder()->depthForRect(plate) : 0;
    const kit::Rect area = plate.insetBy(band + kPhotoMargin, band + kPhotoMargin);
    if (area.isEmpty())
        return;
    gc.save();
    if (const std::optional<kit::Path> outline = plateOutline())
        gc.clip(*outline);
    if (!m_photos.empty()) {
        drawPhotos(gc, area, m_photos, m_kind == Kind::Serial);
    } else {
        const bool dark = plateColour() == QColor(Qt::black);
        drawHint(gc, area,
                 kit::localized(m_kind == Kind::Serial ? "SERIAL_LAYOUT_HINT" : "FREE_LAYOUT_HINT"),
                 dark ? QColor(200, 200, 200) : QColor(120, 120, 120));
    }
    gc.restore();
}

bool PlaceholderCanvas::performDragOperation(const kit::DragInfo& info)
{
    std::vector<kit::Image> photos;
    for (std::optional<kit::Image>& photo : loadPhotos(info.fileNames)) {
        if (photo)
            photos.push_back(std::move(*photo));
    }
    addPhotos(photos);
    return !photos.empty();
}
