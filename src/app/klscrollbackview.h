#pragma once

// The document view of the main scroll view behind a canvas: a plain grey
// backdrop. A click on it (not on the canvas) deselects everything: it posts
// "kLayoutClearResponder" and then "kTextViewUnselected".

#include "kit/view.h"

class KLScrollBackView : public kit::View
{
public:
    explicit KLScrollBackView(const kit::Rect& frame = {});

    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    void mouseDown(const kit::MouseEvent& e) override;
};
