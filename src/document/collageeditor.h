#pragma once

// What the edits of a collage act on: the three canvases, and what the
// window keeps beside them per mode (ratio, zoom, the mode shown). The
// editor window implements it over its canvases; the command-line renderer
// and tests over canvases of their own.
//
// It also keeps what names the collage's objects across edits: the numbers
// of prints and captions (ViewIds) and the stand-ins of photos that were
// missing when a document was opened, with the files they stand for.

#include "collagedocument.h"
#include "viewids.h"

#include <unordered_map>

class KLCanvasView;
class KLCombinView;
class KLFreeLayoutView;
class KLResourceView;

class CollageEditor
{
public:
    virtual ~CollageEditor() = default;

    virtual KLResourceView& templateCanvas() = 0;
    virtual KLFreeLayoutView& freeCanvas() = 0;
    virtual KLCombinView& serialCanvas() = 0;
    KLCanvasView& canvas(Mode mode);

    // Index into the ratio table of the template and free modes (the serial
    // canvas takes its content's ratio).
    virtual int ratioIndex(Mode mode) const = 0;
    // Takes the ratio and lays the mode's canvas out for it.
    virtual void setRatioIndex(Mode mode, int index) = 0;
    virtual float zoom(Mode) const { return 1; }
    virtual void setZoom(Mode, float) { }
    virtual Mode shownMode() const { return Mode::Template; }
    virtual void showMode(Mode) { }
    // The template canvas loaded another template (its ratio lock may
    // differ).
    virtual void templateReplaced() { }

    ViewIds& ids() { return m_ids; }

    // -- Stand-ins for missing photos
    // Registers `standIn`, a picture shown in place of the photo `ref` that
    // could not be read, so that describing the collage names `ref` again.
    void addStandIn(const kit::Image& standIn, const PhotoRef& ref);
    // The reference of a picture the canvases show.
    PhotoRef photoRef(const kit::Image& image) const;

private:
    ViewIds m_ids;
    std::unordered_map<const void*, PhotoRef> m_standIns;
};
