#include "pixelbuffer.h"

#include <malloc.h>
#include <sys/mman.h>

namespace kit {

namespace {

// Below this a picture is a few pages; the ordinary allocator serves it.
constexpr qsizetype kLargeBytes = qsizetype(2) << 20;

struct Mapping
{
    void* address;
    size_t length;
};

void unmap(void* info)
{
    auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->address, mapping->length);
    delete mapping;
}

} // namespace

QImage newLargeImage(QSize size, QImage::Format format)
{
    if (size.isEmpty())
        return {};
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    // Rows 32-bit aligned, as QImage keeps them.
    const qsizetype stride = (qsizetype(size.width()) * depth + 31) / 32 * 4;
    const qsizetype bytes = stride * size.height();
    if (bytes < kLargeBytes || depth == 0)
        return QImage(size, format);
    void* address =
        mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        return {};
#ifdef MADV_HUGEPAGE
    madvise(address, size_t(bytes), MADV_HUGEPAGE);
#endif
    return QImage(static_cast<uchar*>(address), size.width(), size.height(), stride, format, unmap,
                  new Mapping { address, size_t(bytes) });
}

void tuneAllocatorForPictures()
{
    // Blocks up to 32 MB (the most glibc allows here: a decoded part of a
    // photo, the photo's file) come from the heap.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // The heap grows in steps of a few photo parts, not page by page.
    mallopt(M_TOP_PAD, 32 << 20);
}

} // namespace kit
