#include "collageeditor.h"

#include "freelayout/klfreelayoutview.h"
#include "serial/klcombinview.h"
#include "template/klresourceview.h"

KLCanvasView& CollageEditor::canvas(Mode mode)
{
    switch (mode) {
    case Mode::FreeLayout:
        return freeCanvas();
    case Mode::Serial:
        return serialCanvas();
    case Mode::Template:
        break;
    }
    return templateCanvas();
}

void CollageEditor::addStandIn(const kit::Image& standIn, const PhotoRef& ref)
{
    PhotoRef kept = ref;
    kept.image = standIn;
    m_standIns[standIn.identity()] = kept;
}

PhotoRef CollageEditor::photoRef(const kit::Image& image) const
{
    if (auto it = m_standIns.find(image.identity()); it != m_standIns.end())
        return it->second;
    return PhotoRef::of(image);
}
