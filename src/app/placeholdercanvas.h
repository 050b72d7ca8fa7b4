#pragma once

// A stand-in for the free layout and serial canvases until they exist: the
// base's plate and decorations, the photos given to it side by side (a grid,
// or one column for the serial mode) and a hint while it has none.

#include "canvas/klcanvasview.h"

#include <vector>

class PlaceholderCanvas : public KLCanvasView
{
public:
    enum class Kind { FreeLayout, Serial };

    explicit PlaceholderCanvas(Kind kind, const kit::Rect& frame = { 0, 0, 400, 300 });

    Kind kind() const { return m_kind; }

    void addPhotos(const std::vector<kit::Image>& photos) override;
    const std::vector<kit::Image>& photos() const { return m_photos; }

    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    // Takes every readable file of the drop.
    bool performDragOperation(const kit::DragInfo& info) override;

protected:
    void removeAllPhotos() override { m_photos.clear(); }
    // The serial canvas keeps its background when cleared.
    bool clearKeepsBackground() const override { return m_kind == Kind::Serial; }

private:
    Kind m_kind;
    std::vector<kit::Image> m_photos;
};
