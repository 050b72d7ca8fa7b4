#pragma once

// The pictures of one kept render (renderToImage), decoded at the size they
// are drawn. A render first walks its view tree with a planning context that
// draws nothing and notes, for every photo draw, which part of the photo
// shows at which device size; the plan then decodes exactly those parts in
// parallel, and the drawing pass copies them. Nothing of it is cached beyond
// the render, so an export of large photos holds only what it draws.

#include "image.h"

#include <utility>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace kit {

class ImagePlan
{
public:
    // Pixels of the picture scaled to some size, covering the rectangle
    // (origin, pixels.size()) of that scaled picture.
    struct Piece
    {
        QImage pixels;
        QPoint origin;
        QRect area() const { return { origin, pixels.size() }; }
    };

    // A draw that copies `part` (pixels, y down) of `image` scaled to
    // `scaledSize`. Parts of one picture at one size are decoded together.
    void addPart(const Image& image, QSize scaledSize, const QRect& part);
    // A draw that filters a cached level of at least `needed` pixels (turned
    // pictures); decoded into the picture's own cache.
    void addLevel(const Image& image, QSize needed);

    // Decodes everything noted, in parallel on the global thread pool.
    void decode();

    // The decoded piece of `image` at `scaledSize`; nullptr when none was
    // planned or decoding failed.
    const Piece* find(const Image& image, QSize scaledSize) const;

    bool isEmpty() const { return m_parts.empty() && m_levels.empty(); }

private:
    struct Entry
    {
        Image image;
        QSize scaledSize;
        QRect area; // the union of the parts asked for
        Piece piece;
    };
    std::vector<Entry> m_parts;
    std::vector<std::pair<Image, QSize>> m_levels;
};

} // namespace kit
