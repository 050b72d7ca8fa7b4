#pragma once

// The base of every collage canvas (template, free layout, serial). It holds
// what the three canvases share, once:
//
//  - the decorations: the background entry, the frame border, rounded
//    corners and the drop shadow, with their setters and getters;
//  - the plate drawn beneath the photos: fill colour, shadow, outline,
//    clip and background picture (drawRect);
//  - the captions: their list, the view they live in, keeping them above the
//    photos, re-placing them when the canvas is resized, removing one on
//    "kTextViewDeleted", adding one;
//  - deselection on "kLayoutClearResponder", clear() and the export
//    (saveToURL).
//
// A derived canvas supplies what depends on what it holds: its photos
// (addPhotos, removeAllPhotos), their layout (layoutContent), the view its
// captions live in (setCaptionContainer), and where its plate rules differ
// from the plain ones, small overrides: plateRect, pictureRect,
// fillsOutlineWithoutShadow, captionHeight, clearKeepsBackground.
//
// The plate, in drawing order (bounds B, plate P = plateRect()):
//  1. With the shadow on, a shadow of blur 4, offset (0, −2), dark grey is
//     cast by everything the plate draws.
//  2. Outline S: the frame border's path for P; else, with rounded corners,
//     a rounded rectangle on P of radius B.width × 0.025; else none. A frame
//     border takes precedence over rounded corners.
//  3. With an outline: S is filled with the plate colour (white, black for
//     the black background entry) when the shadow is on, or when
//     fillsOutlineWithoutShadow() and there is no picture; then everything
//     after is clipped to S. Without an outline and without a picture, P is
//     filled with the plate colour.
//  4. A picture background is drawn stretched over pictureRect(), replacing
//     what is below.
// Photos and captions draw above the plate, as subviews.
//
// Coordinates are y-up, in the canvas's bounds unless a comment says
// otherwise. Main thread only, except that a canvas may be made and drawn on
// a worker thread for a thumbnail: it then observes no notifications.

#include "border/backgroundentry.h"
#include "border/klframeborder.h"
#include "kit/graphicscontext.h"
#include "kit/imagewriter.h"
#include "kit/notificationcenter.h"
#include "kit/path.h"
#include "kit/view.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QColor>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

class KLTextView;
struct TextStyle;

class KLCanvasView : public kit::View
{
public:
    // The drop shadow every canvas casts.
    static const kit::Shadow kShadow;

    explicit KLCanvasView(const kit::Rect& frame = {});
    ~KLCanvasView() override;

    // -- Decorations. Each setter stores, lets the canvas react
    // (decorationChanged) and redraws. They apply to this canvas alone.

    bool hasShadow() const { return m_hasShadow; }
    void _setHasShadow(bool on);
    bool hasCorner() const { return m_hasCorner; }
    void _setHasCorner(bool on);
    // The chosen background (a value, so it survives a library reload), or
    // none for plain white.
    const std::optional<BackgroundEntry>& backgroundView() const { return m_background; }
    void _setBackgroundView(const std::optional<BackgroundEntry>& entry);
    // A border file, or none to remove the border. A file that cannot be
    // read logs "Load frame border from '<path>' failed!" and leaves the
    // canvas without a border.
    void _setFrameBorder(const std::optional<QString>& path);
    bool hasFrameBorder() const { return m_frameBorder.has_value(); }
    // The file of the border shown; none without a border.
    std::optional<QString> frameBorderPath() const
    {
        return m_frameBorder ? m_frameBorderPath : std::nullopt;
    }
    const std::optional<KLFrameBorder>& frameBorder() const { return m_frameBorder; }

    // The rectangle the plate is drawn on; see the overrides below.
    virtual kit::Rect plateRect() const;
    // The plate's outline for the current bounds: the border path, the
    // rounded rectangle, or none when the plate is a plain rectangle.
    std::optional<kit::Path> plateOutline() const;
    // White, or black for the black background entry (tag 1).
    virtual QColor plateColour() const;

    // -- Photos

    // Takes photos as File ▸ Add Photos gives them, in order; null images
    // are skipped. What "takes" means is the canvas's own rule: the template
    // canvas fills its cells from the first, the others add prints or rows.
    virtual void addPhotos(const std::vector<kit::Image>& photos) = 0;

    // Loads the files of a drop or a command, in order, logging "Load image
    // from <path> failed!" for each that cannot be read. The failures are
    // handed together to onUnreadablePhotos (one line each, naming the file
    // and the reason); an entry of the result is empty for such a file.
    std::vector<std::optional<kit::Image>> loadPhotos(const QStringList& files);
    // Loads one photo file; on failure logs it and appends its line (naming
    // the file and the reason) to `failures`.
    std::optional<kit::Image> loadPhoto(const QString& file, QStringList& failures) const;
    // Told, once per drop or command, of the photo files that could not be
    // read. The window shows them; unset, they are only logged.
    std::function<void(const QStringList& failures)> onUnreadablePhotos;
    // Told why a drop of files was refused when no file was at fault (it
    // missed every cell, say): one sentence for the person.
    std::function<void(const QString& reason)> onDropRefused;

    // -- Captions

    // In the order they were added; owned by the caption container.
    const std::vector<KLTextView*>& textItems() const { return m_textItems; }
    // Adds a caption showing `text`, centred on `at` (a point of the caption
    // container), in the default text style (defaultTextStyle): its height
    // is captionHeight() of the style's height fraction, its width the
    // style's ratio times that, both shrunk alike when that is wider than
    // the container. It lies above every photo and earlier
    // caption, and keeps its place as fractions of the container. It becomes first responder and
    // "kTextViewDidSelected" is posted with it. Answers the caption.
    KLTextView* addTextView(const QString& text, kit::Point at);
    // The same in the given style instead of the default one.
    KLTextView* addTextView(const QString& text, kit::Point at, const TextStyle& style);
    // The point of the caption container that lies at `p`, a point of this
    // canvas.
    kit::Point captionPointFromCanvas(kit::Point p) const;
    // Where the add-caption command puts a new caption: the centre of the
    // caption container's bounds.
    virtual kit::Point textAnchor() const;
    // Forgets one of this canvas's captions and removes it from the view
    // tree; if captions remain, the newest becomes first responder and
    // "kTextViewDidSelected" is posted with it. Other captions are ignored.
    void textViewDeleted(KLTextView* caption);

    // -- Whole canvas

    // Removes every photo and caption and, unless clearKeepsBackground(),
    // the background choice. Border, corners and shadow stay.
    void clear();

    // Deselects everything: the canvas becomes first responder, every
    // caption redraws and "kTextViewUnselected" is posted. Run on
    // "kLayoutClearResponder".
    virtual void clearResponder();

    // Renders the bounds at the current frame size (one pixel per unit) with
    // every subview, as on screen, and writes the image atomically. False,
    // with the reason in `error`, when rendering, encoding or writing fails;
    // an existing file is then left as it was.
    bool saveToURL(const QString& path, kit::ImageFormat type, QString* error = nullptr);

    // Resizes, lays the photos out again (layoutContent) and re-places every
    // caption from its relative place and size.
    void setFrameSize(kit::Size size) override;
    // Draws the plate.
    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    void imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out, double scale) const override;
    bool acceptsFirstResponder() const override { return true; }

    // A new caption's height as a fraction of the caption rule's length, and
    // its width ÷ height, in the factory text style.
    static constexpr double kCaptionHeight = 0.1;
    static constexpr double kCaptionRatio = 3.0;

protected:
    enum class Decoration { Background, FrameBorder, Corner, Shadow };

    // -- What a derived canvas must or may supply

    // Removes every photo (clear() calls it before removing the captions).
    virtual void removeAllPhotos() = 0;
    // Lays the photos out for the current bounds; run after every size
    // change, before the captions are re-placed. Default: nothing.
    virtual void layoutContent() { }
    // Called after a decoration changed, before the redraw (the template
    // canvas moves its cells inside a new border). Default: nothing.
    virtual void decorationChanged(Decoration) { }
    // Where a picture background is drawn. Default: the bounds inset by 4.
    virtual kit::Rect pictureRect() const;
    // Whether an outline is filled with the plate colour when the shadow is
    // off. Default yes; the serial plate leaves it unpainted.
    virtual bool fillsOutlineWithoutShadow() const { return true; }
    // A new caption's height for a style whose height fraction is
    // `styleHeight`. Default: that fraction of the larger side of the frame.
    virtual double captionHeight(double styleHeight) const;
    // Whether clear() keeps the background choice. Default no.
    virtual bool clearKeepsBackground() const { return false; }
    // The category of this canvas's log lines.
    virtual const QLoggingCategory& logCategory() const;

    // -- Helpers for derived canvases

    // The view captions live in (this canvas until set); it must be this
    // canvas or a view of its tree. Set it before adding captions.
    kit::View* captionContainer() const { return m_captionContainer; }
    void setCaptionContainer(kit::View* container) { m_captionContainer = container; }
    // Moves every caption back on top of its container, in their order:
    // after photos were added to the same container.
    void raiseCaptions();
    // Re-places every caption from its relative place and size.
    void updateCaptionFrames();
    // Reports unreadable photo files as loadPhotos does.
    void reportUnreadablePhotos(const QStringList& failures) const;
    // Tells onDropRefused why a drop was refused.
    void refuseDrop(const QString& reason) const;

private:
    void observeNotifications();

    std::optional<BackgroundEntry> m_background;
    std::optional<KLFrameBorder> m_frameBorder;
    std::optional<QString> m_frameBorderPath;
    bool m_hasShadow = true;
    bool m_hasCorner = false;
    kit::View* m_captionContainer = this;
    std::vector<KLTextView*> m_textItems;
    std::vector<kit::Observation> m_observations;
};
