#pragma once

// Pixel buffers for the large pictures of a render: the collage itself and
// the decoded parts of photos. They are mapped with transparent huge pages
// where the kernel offers them: touching a fresh 36 MB picture page by page
// costs thousands of page faults, a noticeable part of an export.

#include <QImage>
#include <QSize>

namespace kit {

// An uninitialised picture of `size` in `format`; null when out of memory.
// Small pictures come from the ordinary allocator.
QImage newLargeImage(QSize size, QImage::Format format);

// Tunes the allocator of the process for pictures of tens of megabytes, once,
// before the first picture: such blocks are taken from and given back to the
// heap instead of being mapped afresh each time, so that the photos of one
// export, and every later export, reuse memory whose pages are already there.
// Up to 256 MB of freed memory may stay with the process.
void tuneAllocatorForPictures();

} // namespace kit
