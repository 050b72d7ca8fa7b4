#pragma once

// A stand-in for the free layout and serial canvases until they exist: it
// draws the plate with every decoration (background, rounded corners, frame
// border, shadow), shows the photos given to it side by side and a hint text
// while it has none, takes file drops and renders itself into image files,
// so that every mode of the window works end to end.

#include "border/backgroundentry.h"
#include "border/klframeborder.h"
#include "kit/image.h"
#include "kit/imagewriter.h"
#include "kit/view.h"

#include <optional>
#include <vector>

#include <QString>

class PlaceholderCanvas : public kit::View
{
public:
    enum class Kind { FreeLayout, Serial };

    explicit PlaceholderCanvas(Kind kind, const kit::Rect& frame = { 0, 0, 400, 300 });

    Kind kind() const { return m_kind; }
    // Width ÷ height of the content, as the serial canvas reports it.
    float ratio() const { return 1.5f; }

    void _setHasCorner(bool on);
    void _setHasShadow(bool on);
    // A file that fails to load leaves the canvas without a border.
    void _setFrameBorder(const std::optional<QString>& path);
    void _setBackgroundView(const std::optional<BackgroundEntry>& entry);
    const std::optional<BackgroundEntry>& backgroundView() const { return m_background; }
    bool hasCorner() const { return m_hasCorner; }
    bool hasShadow() const { return m_hasShadow; }
    bool hasFrameBorder() const { return m_frameBorder.has_value(); }

    // Removes the photos and the background choice.
    void clear();
    void addPhotos(const std::vector<kit::Image>& photos);
    const std::vector<kit::Image>& photos() const { return m_photos; }
    // Captions come with the real canvases.
    void addTextView(const QString&, kit::Point) { }

    // Renders the bounds and writes them atomically; false with a reason.
    bool saveToURL(const QString& path, kit::ImageFormat type, QString* error = nullptr);

    // The plate inside the bounds, where everything is drawn.
    kit::Rect plateRect() const;
    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;

    kit::DragOperation draggingEntered(const kit::DragInfo& info) override;
    bool performDragOperation(const kit::DragInfo& info) override;

private:
    void drawPhotos(kit::GraphicsContext& gc, const kit::Rect& area) const;
    void drawHint(kit::GraphicsContext& gc, const kit::Rect& area, const QColor& color) const;

    Kind m_kind;
    bool m_hasCorner = false;
    bool m_hasShadow = true;
    std::optional<KLFrameBorder> m_frameBorder;
    std::optional<BackgroundEntry> m_background;
    std::vector<kit::Image> m_photos;
};
