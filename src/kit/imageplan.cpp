#include "imageplan.h"

#include <algorithm>

#include <QThreadPool>
#include <QtConcurrent>

namespace kit {

void ImagePlan::addPart(const Image& image, QSize scaledSize, const QRect& part)
{
    if (image.isNull() || part.isEmpty())
        return;
    for (Entry& e : m_parts) {
        if (e.image == image && e.scaledSize == scaledSize) {
            e.area |= part;
            return;
        }
    }
    m_parts.push_back({ image, scaledSize, part, {} });
}

void ImagePlan::addLevel(const Image& image, QSize needed)
{
    if (!image.isNull())
        m_levels.emplace_back(image, needed);
}

void ImagePlan::decode()
{
    // The largest first, so that the workers finish together.
    std::sort(m_parts.begin(), m_parts.end(), [](const Entry& a, const Entry& b) {
        return qint64(a.area.width()) * a.area.height() > qint64(b.area.width()) * b.area.height();
    });
    QtConcurrent::blockingMap(QThreadPool::globalInstance(), m_parts, [](Entry& e) {
        e.piece = { e.image.scaledPart(e.scaledSize, e.area), e.area.topLeft() };
    });
    Image::prepare(m_levels);
}

const ImagePlan::Piece* ImagePlan::find(const Image& image, QSize scaledSize) const
{
    for (const Entry& e : m_parts) {
        if (e.image == image && e.scaledSize == scaledSize)
            return e.piece.pixels.isNull() ? nullptr : &e.piece;
    }
    return nullptr;
}

} // namespace kit
