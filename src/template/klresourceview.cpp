#include "klresourceview.h"

#include "klresourceitem.h"

#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "text/kltextview.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

KLResourceItem* asCell(kit::View* v)
{
    return dynamic_cast<KLResourceItem*>(v);
}

// Holds the cells, filling the bound view: with rounded corners or a frame
// border the cells are clipped by the plate's outline, as the plate is.
class CellView : public kit::View
{
public:
    CellView(const KLResourceView& canvas, const kit::Rect& frame)
        : kit::View(frame), m_canvas(canvas)
    { }

    std::optional<kit::Path> subviewClipPath() const override
    {
        std::optional<kit::Path> outline = m_canvas.plateOutline();
        if (!outline)
            return std::nullopt;
        // Canvas coordinates to this view's: it lies at the bound view's origin.
        const kit::Point origin = convertPointToView({ 0, 0 }, &m_canvas);
        return outline->transformed(kit::AffineTransform::translation(-origin.x, -origin.y));
    }

private:
    const KLResourceView& m_canvas;
};

} // namespace

KLResourceView::KLResourceView(const kit::Rect& frame) : KLCanvasView(frame)
{
    m_boundView = addSubview(std::make_unique<kit::View>(bounds().insetBy(4, 4)));
    m_cellView = m_boundView->addSubview(std::make_unique<CellView>(*this, m_boundView->bounds()));
    setCaptionContainer(m_boundView);
}

KLResourceView::~KLResourceView() = default;

// -- Template

bool KLResourceView::loadResourceFromPath(const QString& path, QString* error)
{
    return applyTemplate(readTemplateFile(path), path, error);
}

bool KLResourceView::loadResourceFromText(QStringView text, const QString& path, QString* error)
{
    return applyTemplate(readTemplateText(text), path, error);
}

bool KLResourceView::applyTemplate(const TemplateReadResult& result, const QString& path,
                                   QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (result.error == TemplateReadError::Missing)
        return fail(QStringLiteral("no such file"));

    removeAllItems();
    m_resourcePath = path;
    m_resourceText.clear();
    if (!result.ok()) {
        setNeedsDisplay();
        switch (*result.error) {
        case TemplateReadError::Unreadable:
            return fail(QStringLiteral("cannot be read as a UTF-8 text file"));
        case TemplateReadError::NoLineFeed:
            return fail(QStringLiteral("not a template: it has no dimension line"));
        default:
            return fail(QStringLiteral("not a template: the dimension line is not \"W,H[,lock]\""));
        }
    }

    m_resourceText = result.file->text;
    m_frameSize = result.file->frameSize;
    m_ratioLocked = result.file->ratioLocked;
    for (const auto& [tag, record] : result.file->cells) {
        auto cell = KLResourceItem::create({ 0, 0, 100, 100 }, record);
        if (!cell)
            continue;
        cell->setTag(tag);
        m_items.push_back(m_cellView->addSubview(std::move(cell)));
    }
    _updateItemRect();

    // Captions lie above the new cells.
    raiseCaptions();
    setNeedsDisplay();
    return true;
}

void KLResourceView::removeAllItems()
{
    m_selectedItem = nullptr;
    m_carriedItem = nullptr;
    m_wheelCell = nullptr;
    for (KLResourceItem* cell : m_items)
        cell->removeFromSuperview(); // the returned owner destroys it
    m_items.clear();
}

// -- Layout

kit::Rect KLResourceView::cellArea() const
{
    const kit::Rect b = bounds();
    const double r = kit::f32(b.width() / b.height());
    kit::Rect area;
    if (r > 1)
        area = b.insetBy(4.5 * r, 3);
    else if (r < 1)
        area = b.insetBy(3, 3.6 / r);
    else
        area = b.insetBy(3, 3);

    if (const std::optional<KLFrameBorder>& border = frameBorder()) {
        const double base = r > 1 ? area.height() : area.width();
        double inset = kit::f32(base * border->ratio() / border->times());
        if (!std::isfinite(inset))
            inset = 0;
        area = area.insetBy(inset, inset);
        if (r > 1)
            area.origin.x /= 1.05;
        else if (!(r < 1))
            area.origin.y *= 1.1;
    }
    return area;
}

kit::Rect KLResourceView::plateRect() const
{
    const kit::Rect b = bounds();
    const double r = kit::f32(b.width() / b.height());
    if (r > 1)
        return b.insetBy(kit::f32(6 * r), 3);
    if (r < 1)
        return b.insetBy(3, kit::f32(6 / r));
    return b.insetBy(3, 3);
}

kit::Rect KLResourceView::pictureRect() const
{
    return hasCorner() ? bounds() : plateRect();
}

const QLoggingCategory& KLResourceView::logCategory() const
{
    return kit::lcTemplate();
}

void KLResourceView::_updateItemRect()
{
    layoutContent();
    updateCaptionFrames();
    setNeedsDisplay();
}

void KLResourceView::layoutContent()
{
    if (!m_boundView || bounds().isEmpty())
        return;
    const kit::Rect area = cellArea();
    m_boundView->setFrame(area);
    m_cellView->setFrame(m_boundView->bounds());
    for (KLResourceItem* cell : m_items) {
        if (cell->degree() != 0)
            cell->setFrameRotation(cell->degree());
        const kit::Rect r = cell->rect();
        cell->setFrame({ area.width() * r.x(), area.height() * r.y(), area.width() * r.width(),
                         area.height() * r.height() });
    }
    shareBackgroundWithCells();
}

void KLResourceView::decorationChanged(Decoration what)
{
    // A border moves the cells inside it; the picture's drawn size follows
    // the corners.
    if (what == Decoration::FrameBorder)
        _updateItemRect();
    else
        shareBackgroundWithCells();
}

void KLResourceView::shareBackgroundWithCells()
{
    const std::optional<BackgroundEntry>& background = backgroundView();
    if (background && background->isPicture()) {
        // Where the plate draws the picture, seen from the cells' superview.
        const kit::Rect drawn = pictureRect();
        const kit::Point area = m_boundView ? m_boundView->frame().origin : kit::Point {};
        const kit::Rect placement(drawn.x() - area.x, drawn.y() - area.y, drawn.width(),
                                  drawn.height());
        for (KLResourceItem* cell : m_items)
            cell->setBackgroundImage(background->image, placement);
        return;
    }
    const QColor colour = plateColour();
    for (KLResourceItem* cell : m_items) {
        cell->setBackgroundImage(std::nullopt);
        cell->_setBorderColor(colour);
    }
}

// -- Panning and zooming

KLResourceItem* KLResourceView::itemAt(kit::Point windowLocation) const
{
    const auto& subs = m_cellView->subviews();
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
        KLResourceItem* cell = asCell(it->get());
        if (cell && !cell->isHidden() && cell->pointInMask(windowLocation))
            return cell;
    }
    return nullptr;
}

void KLResourceView::mouseDown(const kit::MouseEvent& e)
{
    m_carriedItem = nullptr;
    m_selectedItem = itemAt(e.locationInWindow);
    if (!m_selectedItem) {
        // Between or beside the cells: no cell stays selected, so that the
        // wheel scrolls again and the keys reach no photo.
        if (kit::Window* w = window(); w && w->firstResponder() != this)
            w->makeFirstResponder(this);
        return;
    }
    m_clickedPoint = convertPointFromView(e.locationInWindow, nullptr);
    const kit::Point pos = m_selectedItem->imagePosition();
    const kit::Rect b = m_selectedItem->bounds();
    m_originalPoint = { pos.x * b.width(), pos.y * b.height() };
    if (kit::Window* w = window())
        w->makeFirstResponder(m_selectedItem);
    for (KLTextView* caption : textItems())
        caption->setNeedsDisplay();
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewUnselected);
}

void KLResourceView::mouseDragged(const kit::MouseEvent& e)
{
    if (!m_selectedItem)
        return;
    if (!m_selectedItem->pointInMask(e.locationInWindow)) {
        // Leaving the mask ends the pan; it does not resume on return. The
        // photo goes with the pointer, to be swapped where it is released.
        if (m_selectedItem->image()) {
            m_carriedItem = m_selectedItem;
            if (kit::Window* w = window())
                w->setCursor(Qt::ClosedHandCursor);
        }
        m_selectedItem = nullptr;
        return;
    }
    const kit::Point p = convertPointFromView(e.locationInWindow, nullptr);
    m_selectedItem->_setImagePosition(
        { p.x - m_clickedPoint.x + m_originalPoint.x, p.y - m_clickedPoint.y + m_originalPoint.y });
}

void KLResourceView::mouseUp(const kit::MouseEvent& e)
{
    m_selectedItem = nullptr;
    KLResourceItem* carried = std::exchange(m_carriedItem, nullptr);
    if (!carried)
        return;
    if (kit::Window* w = window())
        w->setCursor(std::nullopt);
    KLResourceItem* target = itemAt(e.locationInWindow);
    if (target && target != carried)
        swapPhotos(carried, target);
}

void KLResourceView::swapPhotos(KLResourceItem* from, KLResourceItem* to)
{
    if (!from || !to || from == to)
        return;
    const std::optional<kit::Image> given = from->image(), taken = to->image();
    to->_setImage(given);
    from->_setImage(taken);
    if (kit::Window* w = window())
        w->makeFirstResponder(to);
    setNeedsDisplay();
}

bool KLResourceView::scrollWheel(const kit::ScrollEvent& e)
{
    KLResourceItem* cell = itemAt(e.locationInWindow);
    const bool vertical = e.deltaY != 0 && std::abs(e.deltaY) >= std::abs(e.deltaX);
    if (!cell || !cell->isFirstResponder() || !vertical)
        return KLCanvasView::scrollWheel(e);
    m_selectedItem = cell;
    // A new cell or a turn the other way starts counting afresh.
    if (cell != m_wheelCell || (m_wheelNotches > 0) != (e.deltaY > 0))
        m_wheelNotches = 0;
    m_wheelCell = cell;
    m_wheelNotches += e.deltaY;
    const double steps = std::trunc(m_wheelNotches);
    m_wheelNotches -= steps;
    if (steps != 0)
        cell->_setImageScale(float(cell->imageScale() + 0.1 * steps));
    return true;
}

// -- Drops

bool KLResourceView::performDragOperation(const kit::DragInfo& info)
{
    KLResourceItem* target = m_items.empty() ? nullptr : itemAt(info.locationInWindow);
    if (!target) {
        refuseDrop(kit::localized(m_items.empty() ? "DROP_NO_CELLS" : "DROP_NOT_ON_CELL"));
        return false;
    }
    if (kit::Window* w = window())
        w->makeFirstResponder(target);
    if (info.fileNames.isEmpty())
        return false;
    // Files are read as their cells come up; those beyond the last cell are
    // never read. A file that is no photo is named, and the others still go in.
    QStringList failures;
    const int placed = distribute(int(info.fileNames.size()), target,
                                  [&](int k) { return loadPhoto(info.fileNames[k], failures); });
    reportUnreadablePhotos(failures);
    return placed > 0;
}

void KLResourceView::fillCells(const std::vector<std::optional<kit::Image>>& images,
                               KLResourceItem* target)
{
    if (images.empty() || !target)
        return;
    distribute(int(images.size()), target, [&](int k) { return images[k]; });
    kit::prepareImages(*this, 1.0);
}

std::vector<KLResourceItem*> KLResourceView::cellsInOrder() const
{
    std::vector<KLResourceItem*> cells;
    for (const auto& sub : m_cellView->subviews()) {
        if (KLResourceItem* cell = asCell(sub.get()))
            cells.push_back(cell);
    }
    return cells;
}

int KLResourceView::distribute(int count, KLResourceItem* target,
                               const std::function<std::optional<kit::Image>(int)>& imageAt)
{
    int placed = 0;
    auto give = [&placed](KLResourceItem* cell, const std::optional<kit::Image>& image) {
        if (!image)
            return;
        cell->_setImage(image);
        ++placed;
        kit::NotificationCenter::defaultCenter().post(kit::kLayoutImageDropped, *cell->image());
    };
    give(target, imageAt(0));
    int k = 1;
    if (k < count) {
        // The other cells in template order; a file that does not load uses
        // up its turn.
        for (KLResourceItem* cell : cellsInOrder()) {
            if (cell == target)
                continue;
            give(cell, imageAt(k++));
            if (k >= count)
                break;
        }
    }
    setNeedsDisplay();
    return placed;
}

// -- Content

void KLResourceView::removeAllPhotos()
{
    for (KLResourceItem* cell : m_items)
        cell->_setImage(std::nullopt);
}

KLResourceItem* KLResourceView::focusedCell() const
{
    kit::Window* w = window();
    KLResourceItem* cell = w ? asCell(w->firstResponder()) : nullptr;
    return cell && std::find(m_items.begin(), m_items.end(), cell) != m_items.end() ? cell
                                                                                    : nullptr;
}

size_t KLResourceView::placePhotos(const std::vector<kit::Image>& photos)
{
    const std::vector<KLResourceItem*> order = cellsInOrder();
    if (order.empty())
        return 0;
    KLResourceItem* selected = focusedCell();
    std::vector<KLResourceItem*> targets;
    if (selected && !selected->image())
        targets.push_back(selected);
    for (KLResourceItem* cell : order) {
        if (!cell->image() && cell != selected)
            targets.push_back(cell);
    }
    if (targets.empty()) {
        // Every cell shows a photo: replace, from the selected cell.
        targets.push_back(selected ? selected : order.front());
        for (KLResourceItem* cell : order) {
            if (cell != targets.front())
                targets.push_back(cell);
        }
    }
    size_t placed = 0;
    for (const kit::Image& photo : photos) {
        if (photo.isNull())
            continue;
        if (placed == targets.size())
            break;
        KLResourceItem* cell = targets[placed++];
        cell->_setImage(photo);
        kit::NotificationCenter::defaultCenter().post(kit::kLayoutImageDropped, *cell->image());
    }
    kit::prepareImages(*this, 1.0);
    setNeedsDisplay();
    return placed;
}

void KLResourceView::resetAllImagesPosition()
{
    for (KLResourceItem* cell : m_items)
        cell->_setImagePosition({ 0, 0 });
}
