#include "klcanvasview.h"

#include "kit/graphicscontext.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "text/kltextview.h"
#include "text/textstyle.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QThread>

const kit::Shadow KLCanvasView::kShadow { 4, { 0, -2 }, QColor(85, 85, 85) };

namespace {

// Plate and picture insets of the free layout and serial canvases.
constexpr double kPlateInset = 5;
constexpr double kPictureInset = 4;
// Corner radius as a fraction of the canvas width.
constexpr double kCornerRadius = 0.025;

} // namespace

KLCanvasView::KLCanvasView(const kit::Rect& frame) : kit::View(frame)
{
    registerForFileDrops(true);
    // A canvas made on a worker thread only renders a thumbnail: it has no
    // window and nobody to answer, and the centre is main-thread only.
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        observeNotifications();
}

KLCanvasView::~KLCanvasView() = default;

void KLCanvasView::observeNotifications()
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    m_observations.push_back(centre.addObserver(kit::kLayoutClearResponder,
                                                [this](KLCombinItem*) { clearResponder(); }));
    m_observations.push_back(centre.addObserver(
        kit::kTextViewDeleted, [this](KLTextView* caption) { textViewDeleted(caption); }));
}

const QLoggingCategory& KLCanvasView::logCategory() const
{
    return kit::lcApp();
}

// -- Decorations

void KLCanvasView::_setHasShadow(bool on)
{
    m_hasShadow = on;
    decorationChanged(Decoration::Shadow);
    setNeedsDisplay();
}

void KLCanvasView::_setHasCorner(bool on)
{
    m_hasCorner = on;
    decorationChanged(Decoration::Corner);
    setNeedsDisplay();
}

void KLCanvasView::_setBackgroundView(const std::optional<BackgroundEntry>& entry)
{
    m_background = entry;
    decorationChanged(Decoration::Background);
    setNeedsDisplay();
}

void KLCanvasView::_setFrameBorder(const std::optional<QString>& path)
{
    m_frameBorder.reset();
    m_frameBorderPath.reset();
    if (path) {
        m_frameBorder = KLFrameBorder::initWithBorderFile(*path);
        if (m_frameBorder)
            m_frameBorderPath = path;
        else
            kit::log(logCategory(),
                     QStringLiteral("Load frame border from '%1' failed!").arg(*path));
    }
    decorationChanged(Decoration::FrameBorder);
    setNeedsDisplay();
}

// -- Plate

kit::Rect KLCanvasView::plateRect() const
{
    return bounds().insetBy(kPlateInset, kPlateInset);
}

kit::Rect KLCanvasView::pictureRect() const
{
    return bounds().insetBy(kPictureInset, kPictureInset);
}

QColor KLCanvasView::plateColour() const
{
    return m_background && m_background->tag == 1 ? QColor(Qt::black) : QColor(Qt::white);
}

std::optional<kit::Path> KLCanvasView::plateOutline() const
{
    const kit::Rect plate = plateRect();
    if (m_frameBorder)
        return m_frameBorder->borderPathForRect(plate);
    if (m_hasCorner) {
        const double radius = kit::f32(bounds().width() * kCornerRadius);
        return kit::Path::roundedRect(plate, radius, radius);
    }
    return std::nullopt;
}

void KLCanvasView::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    const kit::Rect plate = plateRect();
    if (plate.isEmpty())
        return;
    const QColor colour = plateColour();
    const bool picture = m_background && m_background->isPicture() && !m_background->image.isNull();

    gc.save();
    if (m_hasShadow)
        gc.setShadow(kShadow);
    gc.setColor(colour);
    if (const std::optional<kit::Path> outline = plateOutline()) {
        // With a shadow the filled outline casts it, so that it follows the shape.
        if (m_hasShadow || (!picture && fillsOutlineWithoutShadow()))
            gc.fill(*outline);
        gc.clip(*outline);
    } else if (!picture) {
        gc.fillRect(plate);
    }
    if (picture)
        gc.drawImage(m_background->image, pictureRect(), std::nullopt, kit::CompositeOp::Copy);
    gc.restore();
}

void KLCanvasView::imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out, double scale) const
{
    if (!m_background || !m_background->isPicture() || m_background->image.isNull())
        return;
    const kit::Size drawn = pictureRect().size;
    out.emplace_back(
        m_background->image,
        QSize(int(std::ceil(drawn.width * scale)), int(std::ceil(drawn.height * scale))));
}

// -- Photos

std::optional<kit::Image> KLCanvasView::loadPhoto(const QString& file, QStringList& failures) const
{
    QString reason;
    if (std::optional<kit::Image> image = kit::Image::load(file, &reason))
        return image;
    kit::log(logCategory(), QStringLiteral("Load image from %1 failed!").arg(file));
    // The reader's reason usually names the file itself.
    failures.append(reason.contains(file) ? reason : QStringLiteral("%1: %2").arg(file, reason));
    return std::nullopt;
}

std::vector<std::optional<kit::Image>> KLCanvasView::loadPhotos(const QStringList& files)
{
    std::vector<std::optional<kit::Image>> images;
    QStringList failures;
    for (const QString& file : files)
        images.push_back(loadPhoto(file, failures));
    reportUnreadablePhotos(failures);
    return images;
}

void KLCanvasView::reportUnreadablePhotos(const QStringList& failures) const
{
    if (!failures.isEmpty() && onUnreadablePhotos)
        onUnreadablePhotos(failures);
}

void KLCanvasView::refuseDrop(const QString& reason) const
{
    if (onDropRefused)
        onDropRefused(reason);
}

// -- Captions

double KLCanvasView::captionHeight(double styleHeight) const
{
    const kit::Rect f = frame();
    return styleHeight * std::max(f.width(), f.height());
}

kit::Point KLCanvasView::textAnchor() const
{
    return m_captionContainer->bounds().centre();
}

kit::Point KLCanvasView::captionPointFromCanvas(kit::Point p) const
{
    return m_captionContainer->convertPointFromView(p, this);
}

KLTextView* KLCanvasView::addTextView(const QString& text, kit::Point at)
{
    // Every new caption starts with the person's default style.
    return addTextView(text, at, defaultTextStyle());
}

KLTextView* KLCanvasView::addTextView(const QString& text, kit::Point at, const TextStyle& style)
{
    for (KLTextView* caption : m_textItems)
        caption->setNeedsDisplay();
    double h = captionHeight(style.height);
    double w = style.ratio * h;
    // A caption starts no wider than the view it lives in, shrunk as a
    // whole: on a narrow canvas (a long serial column) the height rule alone
    // would put its handles, and most of its text, outside the canvas.
    const double room = m_captionContainer->bounds().width();
    if (room > 0 && w > room) {
        h *= room / w;
        w = room;
    }
    const kit::Point origin { at.x - w / 2, at.y - h / 2 };

    auto owned = std::make_unique<KLTextView>(kit::Rect { origin, { w, h } });
    // The relative form the caption re-places itself from on every resize:
    // fractions of the container it lives in, which is what updateFrame
    // reads, so that the caption stays where it was put.
    const kit::Size c = m_captionContainer->frame().size;
    owned->setSize({ h > 0 ? w / h : 0, c.height > 0 ? h / c.height : 0 });
    owned->setLocation(
        { c.width > 0 ? origin.x / c.width : 0, c.height > 0 ? origin.y / c.height : 0 });
    owned->_setText(text);
    owned->applyStyleWithDictionary(style);
    KLTextView* caption = m_captionContainer->addSubview(std::move(owned));
    m_textItems.push_back(caption);
    if (kit::Window* w = window())
        w->makeFirstResponder(caption);
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewDidSelected, caption);
    return caption;
}

void KLCanvasView::textViewDeleted(KLTextView* caption)
{
    auto it = std::find(m_textItems.begin(), m_textItems.end(), caption);
    if (it == m_textItems.end())
        return;
    m_textItems.erase(it);
    caption->removeFromSuperview(); // the returned owner destroys it
    if (m_textItems.empty())
        return;
    KLTextView* last = m_textItems.back();
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewDidSelected, last);
    if (kit::Window* w = window())
        w->makeFirstResponder(last);
    last->setNeedsDisplay();
}

void KLCanvasView::raiseCaptions()
{
    for (KLTextView* caption : m_textItems) {
        if (kit::View* container = caption->superview())
            container->addSubview(caption->removeFromSuperview());
    }
}

void KLCanvasView::updateCaptionFrames()
{
    for (KLTextView* caption : m_textItems) {
        caption->updateFrame();
        caption->setNeedsDisplay();
    }
}

// -- Whole canvas

void KLCanvasView::clear()
{
    removeAllPhotos();
    for (KLTextView* caption : m_textItems)
        caption->removeFromSuperview();
    m_textItems.clear();
    if (!clearKeepsBackground()) {
        m_background.reset();
        decorationChanged(Decoration::Background);
    }
    setNeedsDisplay();
}

void KLCanvasView::clearResponder()
{
    if (kit::Window* w = window())
        w->makeFirstResponder(this);
    for (KLTextView* caption : m_textItems)
        caption->setNeedsDisplay();
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewUnselected);
}

void KLCanvasView::setFrameSize(kit::Size size)
{
    kit::View::setFrameSize(size);
    layoutContent();
    updateCaptionFrames();
    setNeedsDisplay();
}

bool KLCanvasView::saveToURL(const QString& path, kit::ImageFormat type, QString* error)
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
