#include "eventtiledelegate.h"

#include "mediaobjectmodel.h"

#include <QPainter>

void EventTileDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect cell = option.rect.adjusted(4, 4, -4, -4);
    const int side = std::min(cell.width(), cell.height() - 30);
    const QRect photoArea(cell.left() + (cell.width() - side) / 2, cell.top() + 4, side, side);

    if (option.state & QStyle::State_Selected) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(255, 255, 255, 40));
        painter->drawRoundedRect(option.rect.adjusted(1, 1, -1, -1), 6, 6);
    }

    const QPixmap photo = index.data(Qt::DecorationRole).value<QPixmap>();
    QSize shown = photo.size().scaled(photoArea.size() - QSize(12, 12), Qt::KeepAspectRatio);
    if (shown.isEmpty())
        shown = QSize(side - 12, side - 12);
    QRect print(QPoint(0, 0), shown);
    print.moveCenter(photoArea.center());
    // Two prints behind the key photo, turned a little.
    const int count = index.data(MediaObjectModel::CountRole).toInt();
    for (int layer = std::min(count - 1, 2); layer > 0; --layer) {
        painter->save();
        painter->translate(print.center());
        painter->rotate(layer * 4.0);
        painter->setPen(QColor(40, 40, 40));
        painter->setBrush(QColor(200 - layer * 25, 200 - layer * 25, 200 - layer * 25));
        painter->drawRect(
            QRect(-print.width() / 2, -print.height() / 2, print.width(), print.height()));
        painter->restore();
    }
    painter->setPen(QPen(QColor(250, 250, 250), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawPixmap(print, photo);
    painter->drawRect(print);

    painter->setPen(option.palette.color(QPalette::Text));
    QFont font = option.font;
    painter->setFont(font);
    const QRect nameArea(cell.left(), photoArea.bottom() + 2, cell.width(),
                         option.fontMetrics.height());
    painter->drawText(nameArea, Qt::AlignHCenter | Qt::AlignTop,
                      option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                    Qt::ElideRight, cell.width()));
    font.setPointSizeF(font.pointSizeF() * 0.85);
    painter->setFont(font);
    painter->setPen(QColor(170, 170, 170));
    painter->drawText(nameArea.translated(0, nameArea.height()), Qt::AlignHCenter | Qt::AlignTop,
                      QString::number(count));
    painter->restore();
}

QSize EventTileDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const QSize icon = option.decorationSize;
    return QSize(icon.width() + 16, icon.height() + 2 * option.fontMetrics.height() + 16);
}
