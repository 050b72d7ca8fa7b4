#pragma once

// One square cell of a library grid: shows its thumbnail scaled to fit,
// keeping its proportions, centred. It accepts first responder and ignores
// every key, so no key press edits or clears the picture. Subclasses add
// what a click announces.

#include "kit/image.h"
#include "kit/view.h"

#include <QString>

class KLThumbnailView : public kit::View
{
public:
    explicit KLThumbnailView(const kit::Rect& frame = {});

    const kit::Image& image() const { return m_image; }
    // Stores the thumbnail and redraws; a null image shows the empty cell.
    void _setImage(const kit::Image& image);

    // The file the entry lists (a template, picture or border file).
    const QString& file() const { return m_file; }
    void setFile(const QString& file) { m_file = file; }

    // A marked entry is the one in use (the loaded template, the chosen
    // border or background): it shows a check badge in its lower right corner.
    bool isMarked() const { return m_marked; }
    void _setMarked(bool marked);

    // Draws a highlight ring around the cell while it is first responder.
    void setShowsFocusRing(bool on) { m_showsFocusRing = on; }
    bool showsFocusRing() const { return m_showsFocusRing; }

    // Where the thumbnail lies in the bounds: fitted and centred; empty for
    // a null image.
    kit::Rect imageRect() const;

    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    // The focus ring lies just outside the frame.
    bool clipsToBounds() const override { return !m_showsFocusRing; }
    bool acceptsFirstResponder() const override { return true; }
    void becomeFirstResponder() override { setNeedsDisplay(); }
    void resignFirstResponder() override { setNeedsDisplay(); }
    void keyDown(const kit::KeyEvent&) override { }
    // Cells never register for file drops: a drop on one goes to its library.

private:
    kit::Image m_image;
    QString m_file;
    bool m_marked = false;
    bool m_showsFocusRing = false;
};
