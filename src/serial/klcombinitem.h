#pragma once

// One photo of the serial column. It draws its photo stretched to its bounds
// (the canvas gives it the photo's aspect ratio), becomes key view when
// clicked, and asks the canvas to remove it on the Delete key or through its
// context menu, by posting "kCombinItemDeleted".
//
// Its tag is its stacking key on the canvas: 0 normally, 999 for the photo
// grabbed last (captions carry 10000).

#include "kit/image.h"
#include "kit/view.h"

#include <optional>

class KLCombinItem : public kit::View
{
public:
    static constexpr int kGrabbedTag = 999;

    explicit KLCombinItem(const kit::Rect& frame = {});

    const kit::Image& image() const { return m_image; }
    // Keeps the image (a shared copy) and redraws.
    void _setImage(const kit::Image& image);

    // A selected item is being dragged: layout passes leave its frame alone.
    bool selected() const { return m_selected; }
    void _setSelected(bool selected);

    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    void imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out, double scale) const override;

    bool acceptsFirstResponder() const override { return true; }
    // Delete removes the item; every other key is ignored.
    void keyDown(const kit::KeyEvent& e) override;
    // Clears every selection ("kLayoutClearResponder" with the item) before
    // the context menu opens.
    void rightMouseDown(const kit::MouseEvent& e) override;
    // One entry, "REMOVE_ITEM", which sends remove().
    std::optional<kit::Menu> menuForEvent(const kit::MouseEvent& e) override;

    // Posts "kCombinItemDeleted" with the item. The canvas that holds the
    // item destroys it inside the post, so nothing may touch the item after.
    void remove();

private:
    kit::Image m_image;
    bool m_selected = false;
};
