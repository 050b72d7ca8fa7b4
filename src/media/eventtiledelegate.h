#pragma once

// The cell of an event in the event grid: the key photo on a small stack of
// prints, the event's name below it and the number of its photos, in light
// text for the dark background of the event grid.

#include <QStyledItemDelegate>

class EventTileDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
