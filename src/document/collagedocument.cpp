#include "collagedocument.h"

PhotoRef PhotoRef::of(const kit::Image& image)
{
    PhotoRef ref;
    ref.file = image.filePath();
    ref.pixelSize = image.pixelSize();
    ref.image = image;
    return ref;
}

bool PhotoRef::operator==(const PhotoRef& o) const
{
    if (!image.isNull() || !o.image.isNull())
        return image == o.image;
    return file == o.file && fallback == o.fallback && pixelSize == o.pixelSize;
}
