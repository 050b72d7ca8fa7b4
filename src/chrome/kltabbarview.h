#pragma once

// The icon tab bar over the side panel's pages. Items sit side by side and
// share the bar's width; hidden items take no room and cannot be hit. A press
// by the user (mouse or keyboard) selects the item and then sends
// tabBarViewDidSelectTag with its tag; selecting from code never does.

#include <vector>

#include <QIcon>
#include <QRect>
#include <QString>
#include <QWidget>

class KLTabBarView : public QWidget
{
    Q_OBJECT

public:
    struct Item
    {
        QIcon image;
        QString tipKey; // localisation key of the tool tip
        int tag = 0;
        bool hidden = false;
        QRect rect; // in the bar, set by layoutSubview(); empty while hidden
    };

    explicit KLTabBarView(QWidget* parent = nullptr);

    // Appends an item. The image is drawn as a mask tinted with the bar's
    // text or accent colour, so monochrome line icons suit it best.
    void addItemWithImage(const QIcon& image, const QString& tipKey, int tag);
    // Same with a named image (see chrome::namedImage); an unknown name gives
    // an item without picture.
    void addItemWithImage(const QString& imageName, const QString& tipKey, int tag);

    // Recomputes the items' rectangles for the current width and hidden flags.
    void layoutSubview();

    // Selects without notifying. An index outside the items changes nothing.
    void selectItemWithIndex(int index);
    // -1 when nothing is selected.
    int indexOfSelectedItem() const { return m_selected; }

    const std::vector<Item>& items() const { return m_items; }

    // The caller lays out again afterwards (layoutSubview), as after any
    // batch of changes.
    void setItemHidden(int index, bool hidden);

    // Index of the visible item under `pos` (bar coordinates), or -1.
    int itemAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void tabBarViewDidSelectTag(KLTabBarView* bar, int tag);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void userSelect(int index);
    // The next visible item from `from` in direction `step` (±1), or -1.
    int nextVisible(int from, int step) const;
    void setHovered(int index);

    std::vector<Item> m_items;
    int m_selected = -1;
    int m_hovered = -1;
};
