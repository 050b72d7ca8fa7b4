#pragma once

// What a canvas keeps of the chosen background: the entry's tag and picture.
// Tag 0 is plain white, tag 1 plain black, 2 and up a picture. The canvas
// keeps this value rather than a pointer to the library's entry view, so the
// choice stays valid when the library reloads and its views are rebuilt.

#include "kit/image.h"

#include <QString>

struct BackgroundEntry
{
    int tag = 0;
    kit::Image image;
    // The picture's file, which identifies the entry across library reloads.
    QString path;

    bool isPicture() const { return tag != 0 && tag != 1; }
    bool operator==(const BackgroundEntry& o) const { return tag == o.tag && path == o.path; }
};
