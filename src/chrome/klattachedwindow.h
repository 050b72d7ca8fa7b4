#pragma once

// A frameless pop-up that points with an arrow at a spot of another widget
// (the ratio and style lists hang from their buttons this way). The window
// lies on `side` of the point; the tip of its arrow is `distance` pixels from
// the point, so with distance 0 the tip touches it. When the preferred side
// has no room on the screen the window flips to the opposite side, and it
// slides along the screen edge while the arrow keeps pointing at the spot.
//
// The window never owns its content: the content is shown inside it while it
// is open and handed back to its former parent, hidden, when it closes, so
// one content widget can be shown again in a new window.
//
// A press anywhere outside the window (and outside the pass-through
// widgets), Escape, or close() closes it and sends closed(). It follows the
// anchor when the anchor or its window moves or resizes. By default it
// deletes itself when closed (Qt::WA_DeleteOnClose); keep it in a QPointer.

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QPointer>
#include <QWidget>

class KLAttachedWindow : public QWidget
{
    Q_OBJECT

public:
    // Where the window lies relative to the point it is attached to.
    enum class Side { Upper, Lower, Left, Right };
    Q_ENUM(Side)

    // `content` is shown inside; `point` is in `anchor`'s coordinates. The
    // window belongs to the anchor's window (it closes with it). Neither
    // pointer may be null.
    KLAttachedWindow(QWidget* content, QPoint point, QWidget* anchor, Side side = Side::Upper,
                     int distance = 0);
    ~KLAttachedWindow() override;

    QWidget* content() const { return m_content; }
    QWidget* anchor() const { return m_anchor; }

    QPoint point() const { return m_point; }
    void setPoint(QPoint point);
    Side side() const { return m_side; }
    void setSide(Side side);
    // The side in use after the screen check; differs from side() when flipped.
    Side effectiveSide() const { return m_effectiveSide; }
    int distance() const { return m_distance; }
    void setDistance(int distance);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color);
    int cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(int radius);
    bool hasArrow() const { return m_hasArrow; }
    void setHasArrow(bool hasArrow);
    int arrowBaseWidth() const { return m_arrowBaseWidth; }
    void setArrowBaseWidth(int width);
    int arrowHeight() const { return m_arrowHeight; }
    void setArrowHeight(int height);
    // Space between the border and the content.
    int viewMargin() const { return m_viewMargin; }
    void setViewMargin(int margin);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // Presses on these widgets (or inside them) leave the window open, so a
    // button that toggles the window can close it itself.
    void addPassThroughWidget(QWidget* widget);

    // Where the arrow's tip ends, in global coordinates (the point of the
    // window nearest the attach point). Without an arrow, the middle of the
    // body's edge that faces the point.
    QPoint arrowTipGlobal() const;
    // The outline that is filled and stroked, in window coordinates.
    QPainterPath outline() const;

    // Places and sizes the window for the current point, content and screen.
    void reposition();

signals:
    void closed(KLAttachedWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Thickness of the frame between the window's edge and the content, on
    // every side; the arrow side adds arrowExtent().
    int frameThickness() const { return m_borderWidth + m_viewMargin; }
    int arrowExtent() const { return m_hasArrow ? m_arrowHeight : 0; }
    // The rounded body in window coordinates (excludes the arrow).
    QRect bodyRect() const;
    bool isInside(const QWidget* widget) const;
    bool ownerIsBeingDestroyed() const;
    void releaseContent();

    QPointer<QWidget> m_content;
    QPointer<QWidget> m_contentOwner;
    QPointer<QWidget> m_anchor;
    QList<QPointer<QWidget>> m_passThrough;
    QPoint m_point;
    Side m_side;
    Side m_effectiveSide;
    int m_distance;
    QColor m_borderColor = Qt::white;
    int m_borderWidth = 2;
    QColor m_backgroundColor = QColor(0x3a, 0x3a, 0x3c);
    int m_cornerRadius = 4;
    bool m_hasArrow = true;
    int m_arrowBaseWidth = 18;
    int m_arrowHeight = 9;
    int m_viewMargin = 5;
    int m_tag = 0;
    // Offset of the arrow's centre along the body's edge, from the window's
    // left (Upper/Lower) or top (Left/Right).
    int m_arrowOffset = 0;
    bool m_closing = false;
};
