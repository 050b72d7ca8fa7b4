#include "klresourceview.h"

#include "klresourceitem.h"
#include "templatefile.h"

#include "kit/graphicscontext.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"

#include <cmath>

#include <QCoreApplication>
#include <QThread>

namespace {

// The drop shadow of every canvas: blur 4, offset (0, −2), dark grey.
const kit::Shadow kCanvasShadow { 4, { 0, -2 }, QColor(85, 85, 85) };

KLResourceItem* asCell(kit::View* v)
{
    return dynamic_cast<KLResourceItem*>(v);
}

} // namespace

KLResourceView::KLResourceView(const kit::Rect& frame) : kit::View(frame)
{
    // A canvas made on a worker thread only renders a template thumbnail: it
    // has no window and nobody to answer, and the centre is main-thread only.
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        auto& centre = kit::NotificationCenter::defaultCenter();
        m_observations.push_back(
            centre.addObserver(QString(kit::kLayoutClearResponder),
                               [this](const kit::Notification&) { clearResponder(); }));
        m_observations.push_back(
            centre.addObserver(QString(kit::kTextViewDeleted), [this](const kit::Notification& n) {
                if (kit::View* const* caption = std::any_cast<kit::View*>(&n.object))
                    textViewDeleted(*caption);
            }));
    }
    registerForFileDrops(true);
    m_boundView = addSubview(std::make_unique<kit::View>(bounds().insetBy(4, 4)));
}

KLResourceView::~KLResourceView() = default;

// -- Template

bool KLResourceView::loadResourceFromPath(const QString& path, QString* error)
{
    const TemplateReadResult result = readTemplateFile(path);
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (result.error == TemplateReadError::Missing)
        return fail(QStringLiteral("no such file"));

    removeAllItems();
    m_resourcePath = path;
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

    m_frameSize = result.file->frameSize;
    m_ratioLocked = result.file->ratioLocked;
    for (const auto& [tag, record] : result.file->cells) {
        auto cell = KLResourceItem::create({ 0, 0, 100, 100 }, record);
        if (!cell)
            continue;
        cell->setTag(tag);
        m_items.push_back(m_boundView->addSubview(std::move(cell)));
    }
    _updateItemRect();

    // Captions lie above the new cells.
    for (kit::View* caption : m_textItems)
        m_boundView->addSubview(caption->removeFromSuperview());
    setNeedsDisplay();
    return true;
}

void KLResourceView::removeAllItems()
{
    m_selectedItem = nullptr;
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

    if (m_frameBorder) {
        const double base = r > 1 ? area.height() : area.width();
        double inset = kit::f32(base * m_frameBorder->ratio() / m_frameBorder->times());
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

void KLResourceView::setFrameSize(kit::Size size)
{
    kit::View::setFrameSize(size);
    _updateItemRect();
}

void KLResourceView::_updateItemRect()
{
    if (!m_boundView || bounds().isEmpty())
        return;
    const kit::Rect area = cellArea();
    m_boundView->setFrame(area);
    for (KLResourceItem* cell : m_items) {
        if (cell->degree() != 0)
            cell->setFrameRotation(cell->degree());
        const kit::Rect r = cell->rect();
        cell->setFrame({ area.width() * r.x(), area.height() * r.y(), area.width() * r.width(),
                         area.height() * r.height() });
    }
    for (kit::View* caption : m_textItems)
        caption->setNeedsDisplay();
    setNeedsDisplay();
}

// -- Drawing

void KLResourceView::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    gc.save();
    const kit::Rect plate = plateRect();
    if (m_hasShadow)
        gc.setShadow(kCanvasShadow);

    std::optional<kit::Path> shape;
    if (m_frameBorder)
        shape = m_frameBorder->borderPathForRect(plate);
    else if (m_hasCorner) {
        const double radius = kit::f32(bounds().width() * 0.025);
        shape = kit::Path::roundedRect(plate, radius, radius);
    }
    if (shape) {
        if (m_hasShadow) {
            gc.setColor(Qt::white);
            gc.fill(*shape);
        }
        gc.clip(*shape);
    }

    if (m_background && m_background->isPicture()) {
        const kit::Rect drawn = m_hasCorner ? bounds() : plate;
        gc.drawImage(m_background->image, drawn, std::nullopt, kit::CompositeOp::Copy);
        for (KLResourceItem* cell : m_items)
            cell->setBackgroundImage(m_background->image, drawn.size);
    } else {
        const QColor c =
            (m_background && m_background->tag != 0) ? QColor(Qt::black) : QColor(Qt::white);
        gc.setColor(c);
        gc.fillRect(plate);
        for (KLResourceItem* cell : m_items) {
            cell->setBackgroundImage(std::nullopt);
            cell->_setBorderColor(c);
        }
    }
    gc.restore();
}

// -- Panning and zooming

KLResourceItem* KLResourceView::itemAt(kit::Point windowLocation) const
{
    const auto& subs = m_boundView->subviews();
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
        KLResourceItem* cell = asCell(it->get());
        if (cell && !cell->isHidden() && cell->pointInMask(windowLocation))
            return cell;
    }
    return nullptr;
}

void KLResourceView::mouseDown(const kit::MouseEvent& e)
{
    m_selectedItem = itemAt(e.locationInWindow);
    if (!m_selectedItem)
        return;
    m_clickedPoint = convertPointFromView(e.locationInWindow, nullptr);
    const kit::Point pos = m_selectedItem->imagePosition();
    const kit::Rect b = m_selectedItem->bounds();
    m_originalPoint = { pos.x * b.width(), pos.y * b.height() };
    if (kit::Window* w = window())
        w->makeFirstResponder(m_selectedItem);
    for (kit::View* caption : m_textItems)
        caption->setNeedsDisplay();
    kit::NotificationCenter::defaultCenter().post(QString(kit::kTextViewUnselected));
}

void KLResourceView::mouseDragged(const kit::MouseEvent& e)
{
    if (!m_selectedItem)
        return;
    if (!m_selectedItem->pointInMask(e.locationInWindow)) {
        // Leaving the mask ends the pan; it does not resume on return.
        m_selectedItem = nullptr;
        return;
    }
    const kit::Point p = convertPointFromView(e.locationInWindow, nullptr);
    m_selectedItem->_setImagePosition(
        { p.x - m_clickedPoint.x + m_originalPoint.x, p.y - m_clickedPoint.y + m_originalPoint.y });
}

void KLResourceView::mouseUp(const kit::MouseEvent&)
{
    m_selectedItem = nullptr;
}

void KLResourceView::scrollWheel(const kit::ScrollEvent& e)
{
    m_selectedItem = itemAt(e.locationInWindow);
    if (!m_selectedItem)
        return;
    // Every event is one step, whatever its size.
    const float step = e.deltaY > 0 ? 0.1f : -0.1f;
    m_selectedItem->_setImageScale(m_selectedItem->imageScale() + step);
}

// -- Drops

bool KLResourceView::performDragOperation(const kit::DragInfo& info)
{
    if (m_boundView->subviews().empty())
        return false;
    KLResourceItem* target = itemAt(info.locationInWindow);
    if (!target)
        return false;
    if (kit::Window* w = window())
        w->makeFirstResponder(target);
    if (info.fileNames.isEmpty())
        return false;
    std::optional<kit::Image> first = kit::Image::load(info.fileNames.front());
    if (!first) {
        kit::log(kit::lcTemplate(),
                 QStringLiteral("Load image from %1 failed!").arg(info.fileNames.front()));
        return false;
    }
    distribute(info.fileNames.size(), target, [&](int k) -> std::optional<kit::Image> {
        if (k == 0)
            return first;
        return kit::Image::load(info.fileNames[k]);
    });
    return true;
}

void KLResourceView::fillCells(const std::vector<std::optional<kit::Image>>& images,
                               KLResourceItem* target)
{
    if (images.empty() || !target)
        return;
    distribute(int(images.size()), target, [&](int k) { return images[k]; });
    kit::prepareImages(*this, 1.0);
}

void KLResourceView::distribute(int count, KLResourceItem* target,
                                const std::function<std::optional<kit::Image>(int)>& imageAt)
{
    auto give = [](KLResourceItem* cell, const std::optional<kit::Image>& image) {
        if (!image)
            return;
        cell->_setImage(image);
        kit::NotificationCenter::defaultCenter().post(QString(kit::kLayoutImageDropped),
                                                      *cell->image());
    };
    give(target, imageAt(0));
    int k = 1;
    if (k < count) {
        // The other cells, bottom-most first (template order); a file that
        // does not load uses up its turn.
        const std::vector<kit::View*> order = [this] {
            std::vector<kit::View*> v;
            for (const auto& sub : m_boundView->subviews())
                v.push_back(sub.get());
            return v;
        }();
        for (kit::View* v : order) {
            KLResourceItem* cell = asCell(v);
            if (!cell || cell == target)
                continue;
            give(cell, imageAt(k++));
            if (k >= count)
                break;
        }
    }
    setNeedsDisplay();
}

// -- Captions and selection

void KLResourceView::textViewDeleted(kit::View* caption)
{
    auto it = std::find(m_textItems.begin(), m_textItems.end(), caption);
    if (it == m_textItems.end())
        return;
    m_textItems.erase(it);
    caption->removeFromSuperview();
    if (!m_textItems.empty()) {
        kit::View* last = m_textItems.back();
        kit::NotificationCenter::defaultCenter().post(QString(kit::kTextViewDidSelected), last);
        if (kit::Window* w = window())
            w->makeFirstResponder(last);
        last->setNeedsDisplay();
    }
}

void KLResourceView::clearResponder()
{
    if (kit::Window* w = window())
        w->makeFirstResponder(this);
    for (kit::View* caption : m_textItems)
        caption->setNeedsDisplay();
    kit::NotificationCenter::defaultCenter().post(QString(kit::kTextViewUnselected));
}

// -- Decorations

void KLResourceView::clear()
{
    for (KLResourceItem* cell : m_items)
        cell->_setImage(std::nullopt);
    for (kit::View* caption : m_textItems)
        caption->removeFromSuperview();
    m_textItems.clear();
    m_background.reset();
    setNeedsDisplay();
}

void KLResourceView::_setHasShadow(bool on)
{
    m_hasShadow = on;
    setNeedsDisplay();
}

void KLResourceView::_setHasCorner(bool on)
{
    m_hasCorner = on;
    setNeedsDisplay();
}

void KLResourceView::_setBackgroundView(const std::optional<BackgroundEntry>& entry)
{
    m_background = entry;
    setNeedsDisplay();
}

void KLResourceView::_setFrameBorder(const std::optional<QString>& path)
{
    m_frameBorder.reset();
    if (path) {
        m_frameBorder = KLFrameBorder::initWithBorderFile(*path);
        if (!m_frameBorder)
            kit::log(kit::lcTemplate(),
                     QStringLiteral("Load frame border from '%1' failed!").arg(*path));
    }
    _updateItemRect();
    setNeedsDisplay();
}

void KLResourceView::resetAllImagesPosition()
{
    for (KLResourceItem* cell : m_items)
        cell->_setImagePosition({ 0, 0 });
}

// -- Export

void KLResourceView::imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out,
                                  double scale) const
{
    if (!m_background || !m_background->isPicture() || m_background->image.isNull())
        return;
    const kit::Size drawn = m_hasCorner ? bounds().size : plateRect().size;
    out.emplace_back(
        m_background->image,
        QSize(int(std::ceil(drawn.width * scale)), int(std::ceil(drawn.height * scale))));
}

bool KLResourceView::saveToURL(const QString& path, kit::ImageFormat type, QString* error)
{
    const kit::Rect b = bounds();
    const QSize pixels(std::max(1L, std::lround(b.width())), std::max(1L, std::lround(b.height())));
    const QImage image = kit::renderToImage(*this, pixels);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("the collage could not be rendered at %1 × %2")
                         .arg(pixels.width())
                         .arg(pixels.height());
        return false;
    }
    return kit::writeImage(image, path, type, error);
}
