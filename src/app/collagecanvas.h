#pragma once

// The operations that the controller uses on the canvas of every layout
// mode, whatever its class: decorations, clearing, export, captions and new
// photos. CanvasAdapter gives any canvas class that has the common
// operations this interface, so the canvases need no common base class.

#include "border/backgroundentry.h"
#include "kit/image.h"
#include "kit/imagewriter.h"
#include "kit/view.h"

#include <optional>
#include <vector>

#include <QString>

class CollageCanvas
{
public:
    virtual ~CollageCanvas() = default;

    virtual kit::View& view() = 0;

    virtual void _setHasCorner(bool on) = 0;
    virtual void _setHasShadow(bool on) = 0;
    // A border file, or none for no border.
    virtual void _setFrameBorder(const std::optional<QString>& path) = 0;
    virtual void _setBackgroundView(const std::optional<BackgroundEntry>& entry) = 0;
    virtual std::optional<BackgroundEntry> backgroundView() const = 0;
    // Removes the photos and captions (and, where the canvas says so, the
    // background choice).
    virtual void clear() = 0;
    // Renders the canvas at its current frame size and writes it atomically;
    // false with a reason in `error` when that fails.
    virtual bool saveToURL(const QString& path, kit::ImageFormat type, QString* error) = 0;
    // Adds a caption showing `text` centred at `at` (the canvas's drawing
    // area); nothing on a canvas without captions yet.
    virtual void addTextView(const QString& text, kit::Point at) = 0;
    // Where a new caption goes: the centre of the canvas's drawing area.
    virtual kit::Point textAnchor() const = 0;
    // Takes photos as a drop of their files on the canvas would.
    virtual void addPhotos(const std::vector<kit::Image>& photos) = 0;
};

// Forwards to a canvas that lives elsewhere (in its document view); the
// canvas must outlive the adapter.
template<class Canvas> class CanvasAdapter final : public CollageCanvas
{
public:
    explicit CanvasAdapter(Canvas& canvas) : m_canvas(canvas) { }

    kit::View& view() override { return m_canvas; }
    void _setHasCorner(bool on) override { m_canvas._setHasCorner(on); }
    void _setHasShadow(bool on) override { m_canvas._setHasShadow(on); }
    void _setFrameBorder(const std::optional<QString>& path) override
    {
        m_canvas._setFrameBorder(path);
    }
    void _setBackgroundView(const std::optional<BackgroundEntry>& entry) override
    {
        m_canvas._setBackgroundView(entry);
    }
    std::optional<BackgroundEntry> backgroundView() const override
    {
        return m_canvas.backgroundView();
    }
    void clear() override { m_canvas.clear(); }
    bool saveToURL(const QString& path, kit::ImageFormat type, QString* error) override
    {
        return m_canvas.saveToURL(path, type, error);
    }
    void addTextView(const QString& text, kit::Point at) override
    {
        if constexpr (requires(Canvas & c) { c.addTextView(text, at); })
            m_canvas.addTextView(text, at);
    }
    kit::Point textAnchor() const override
    {
        // The template canvas draws its cells and captions in its bound view.
        if constexpr (requires(const Canvas& c) { c.boundView()->bounds(); }) {
            if (const kit::View* bound = m_canvas.boundView())
                return bound->bounds().centre();
        }
        return m_canvas.bounds().centre();
    }
    void addPhotos(const std::vector<kit::Image>& photos) override
    {
        if (photos.empty())
            return;
        if constexpr (requires(Canvas & c) { c.fillCells({}, c.items().front()); }) {
            // The first cell takes the first photo, the others follow in
            // template order.
            if (m_canvas.items().empty())
                return;
            std::vector<std::optional<kit::Image>> images(photos.begin(), photos.end());
            m_canvas.fillCells(images, m_canvas.items().front());
        } else {
            m_canvas.addPhotos(photos);
        }
    }

private:
    Canvas& m_canvas;
};
