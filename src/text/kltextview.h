#pragma once

// A caption: a free-standing piece of styled text over a collage. It keeps
// its place and size as fractions of its superview (the canvas's caption
// container), so that it follows the canvas when the canvas is resized or
// rendered at another size for export.

#include "kit/view.h"

#include <QString>

class KLTextView : public kit::View
{
public:
    // Width ÷ height of the frame, and the frame height as a fraction of the
    // superview's height.
    struct RelativeSize
    {
        double ratio = 1;
        double height = 0;
    };

    explicit KLTextView(const kit::Rect& frame = {});

    // Frame origin as fractions of the superview's frame width and height.
    kit::Point location() const { return m_location; }
    void setLocation(kit::Point location) { m_location = location; }
    RelativeSize size() const { return m_size; }
    void setSize(RelativeSize size) { m_size = size; }
    // The caption height at which the font has its nominal size.
    double scaleHeight() const { return m_scaleHeight; }
    void setScaleHeight(double height) { m_scaleHeight = height; }

    // Places and sizes the caption from location() and size() within its
    // superview; without a superview the caption goes to the origin with a
    // zero height.
    void updateFrame();

    const QString& text() const { return m_text; }
    void _setText(const QString& text);

private:
    kit::Point m_location;
    RelativeSize m_size;
    double m_scaleHeight = 0;
    QString m_text;
};
