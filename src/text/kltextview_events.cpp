// Pointer and keyboard handling of a caption: moving, resizing, turning,
// the context menu, and editing the text in place.

#include "kltextview.h"

#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"
#include "kit/window.h"

#include <cmath>

#include <QTextBoundaryFinder>

namespace {

kit::Point rotated(kit::Point p, double degrees)
{
    if (degrees == 0)
        return p;
    const double r = degrees * M_PI / 180;
    return { p.x * std::cos(r) - p.y * std::sin(r), p.x * std::sin(r) + p.y * std::cos(r) };
}

} // namespace

void KLTextView::mouseDown(const kit::MouseEvent& e)
{
    m_lastPoint = e.locationInWindow;
    const kit::Point local = convertPointFromView(m_lastPoint, nullptr);
    m_clickedRect = Body;
    for (int i = BottomLeft; i <= Knob; ++i) {
        if (dragCornerRect(i).contains(local)) {
            m_clickedRect = i;
            break;
        }
    }
    m_lastRect = frame();
    m_lastUnrotated = unrotatedFrame();
    // A double click on the text edits it in place; the panel that the post
    // opens then leaves the keyboard to the caption.
    if (e.clickCount == 2 && m_clickedRect == Body)
        beginEditing();
    if (e.clickCount == 2)
        post(kit::kTextViewDidSelected);
    else if (e.clickCount == 1)
        post(kit::kTextViewDidChanged);
}

void KLTextView::mouseDragged(const kit::MouseEvent& e)
{
    kit::View* parent = superview();
    if (!isFirstResponder() || !parent) {
        kit::View::mouseDragged(e);
        return;
    }
    const kit::Point delta(kit::f32(e.locationInWindow.x - m_lastPoint.x),
                           kit::f32(e.locationInWindow.y - m_lastPoint.y));
    const kit::Point pointer = parent->convertPointFromView(e.locationInWindow, nullptr);
    if (m_clickedRect == Body) {
        dragBody(pointer, delta);
        return;
    }
    if (m_clickedRect == Knob)
        dragKnob(pointer);
    else
        dragHandle(delta);
    storeRelativeFrame();
    redrawSiblings();
}

void KLTextView::dragBody(kit::Point pointer, kit::Point delta)
{
    const kit::Size outer = superview()->frame().size;
    // A pointer outside the canvas leaves the caption where it is, so it
    // cannot be dragged out of reach.
    if (pointer.x < 0 || pointer.x > outer.width || pointer.y < 0 || pointer.y > outer.height)
        return;
    setFrameOrigin(m_lastUnrotated.origin + delta);
    storeRelativeFrame();
    redrawSiblings();
}

void KLTextView::dragHandle(kit::Point delta)
{
    const kit::Size outer = superview()->frame().size;
    // The drag in the caption's own axes, so that a turned caption grows
    // along its sides.
    const kit::Point d = rotated(delta, -frameRotation());
    const double lw = m_lastUnrotated.width(), lh = m_lastUnrotated.height();
    kit::Rect r;
    switch (m_clickedRect) {
    case BottomLeft:
        r = { d.x, d.y, lw - d.x, lh - d.y };
        break;
    case BottomRight:
        r = { 0, d.y, lw + d.x, lh - d.y };
        break;
    case TopLeft:
        r = { d.x, 0, lw - d.x, lh + d.y };
        break;
    default:
        r = { 0, 0, lw + d.x, lh + d.y };
        break;
    }
    // Never smaller than a tenth of the canvas; the origin stays where the
    // drag put it.
    if (0.1 * outer.width > r.width())
        r.size.width = 0.1 * outer.width;
    if (0.1 * outer.height > r.height())
        r.size.height = 0.1 * outer.height;
    if (frameRotation() == 0) {
        setFrame(r.offsetBy(m_lastUnrotated.x(), m_lastUnrotated.y()));
        return;
    }
    // A turned caption: the new rectangle lies where r lies in the caption
    // as it was at the press, turned by the same angle.
    const kit::Point oldCentre = m_lastUnrotated.centre();
    const kit::Point local = r.centre() + m_lastUnrotated.origin - oldCentre;
    const kit::Point centre = oldCentre + rotated(local, frameRotation());
    setFrame({ centre.x - r.width() / 2, centre.y - r.height() / 2, r.width(), r.height() });
}

void KLTextView::dragKnob(kit::Point pointer)
{
    const double sw = superview()->frame().width();
    const double w = bounds().width(), h = bounds().height();
    // The centre of the text box, moved right by half the knob strip.
    const kit::Point c = convertPointToView(
        { w / 2 + kit::f32(0.015 * sw), (h - kit::f32(0.03 * sw)) / 2 }, superview());
    const double dx = pointer.x - c.x, dy = pointer.y - c.y;
    if (dx == 0 && dy == 0)
        return; // no direction
    double theta = kit::f32(std::atan(dy / dx));
    theta = dx < 0 ? theta + 1.57 : theta - 1.57;
    setFrameRotation(kit::f32(theta * 180 / 3.14));
}

void KLTextView::mouseUp(const kit::MouseEvent&)
{
    redrawSiblings();
}

void KLTextView::rightMouseDown(const kit::MouseEvent&)
{
    kit::NotificationCenter::defaultCenter().post(kit::kLayoutClearResponder, nullptr);
    post(kit::kTextViewDidSelected);
}

std::optional<kit::Menu> KLTextView::menuForEvent(const kit::MouseEvent&)
{
    return m_contextMenu;
}

std::optional<Qt::CursorShape> KLTextView::cursorAt(kit::Point local) const
{
    if (!isFirstResponder())
        return std::nullopt;
    for (int i = BottomLeft; i <= Knob; ++i) {
        if (!dragCornerRect(i).contains(local))
            continue;
        if (i == Knob)
            return Qt::PointingHandCursor;
        // y grows upwards: bottom-left and top-right share the "/" diagonal.
        return i == BottomLeft || i == TopRight ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor;
    }
    return m_editing ? Qt::IBeamCursor : Qt::SizeAllCursor;
}

// -- Editing in place

void KLTextView::beginEditing()
{
    if (m_editing)
        return;
    m_editing = true;
    m_replaceOnType = true;
    m_textBeforeEditing = text();
    setNeedsDisplay();
}

void KLTextView::endEditing(bool keep)
{
    if (!m_editing)
        return;
    m_editing = false;
    m_replaceOnType = false;
    if (!keep && text() != m_textBeforeEditing)
        editedText(m_textBeforeEditing);
    setNeedsDisplay();
}

void KLTextView::resignFirstResponder()
{
    endEditing(true);
    setNeedsDisplay();
}

void KLTextView::editedText(const QString& text)
{
    _setText(text);
    // A shown settings panel follows the caption it edits.
    post(kit::kTextViewDidChanged);
}

void KLTextView::keyDown(const kit::KeyEvent& e)
{
    if (!m_editing) {
        if (e.keyCode == kit::KeyCode::Delete) {
            remove(); // may destroy this caption
            return;
        }
        if (e.keyCode == kit::KeyCode::Return) {
            beginEditing();
            return;
        }
        kit::View::keyDown(e);
        return;
    }
    switch (e.keyCode) {
    case kit::KeyCode::Return:
    case kit::KeyCode::Tab:
        endEditing(true);
        return;
    case kit::KeyCode::Escape:
        endEditing(false);
        return;
    case kit::KeyCode::Delete: {
        QString t = text();
        if (m_replaceOnType) {
            t.clear();
        } else if (!t.isEmpty()) {
            QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, t);
            graphemes.toEnd();
            t.truncate(std::max<qsizetype>(0, graphemes.toPreviousBoundary()));
        }
        m_replaceOnType = false;
        editedText(t);
        return;
    }
    default:
        break;
    }
    if (e.modifiers & (Qt::ControlModifier | Qt::MetaModifier))
        return;
    QString typed = e.text;
    typed.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    if (typed.isEmpty())
        return;
    const QString t = m_replaceOnType ? typed : text() + typed;
    m_replaceOnType = false;
    editedText(t);
}
