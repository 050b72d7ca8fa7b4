#pragma once

#include "kit/view.h"

// Puts a canvas's frame back however the work in between ends: exports and
// printing draw the canvas at another size for a moment.
class FrameRestorer
{
public:
    explicit FrameRestorer(kit::View& view) : m_view(view), m_frame(view.unrotatedFrame()) { }
    ~FrameRestorer() { m_view.setFrame(m_frame); }
    FrameRestorer(const FrameRestorer&) = delete;
    FrameRestorer& operator=(const FrameRestorer&) = delete;

private:
    kit::View& m_view;
    kit::Rect m_frame;
};
