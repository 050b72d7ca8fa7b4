#include "collagerestore.h"

#include "collageeditor.h"
#include "collagefill.h"

#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"
#include "serial/klcombinview.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"

#include <algorithm>
#include <unordered_map>

namespace {

template<class State> const State* findById(const std::vector<State>& states, int id)
{
    const auto it =
        std::find_if(states.begin(), states.end(), [id](const State& s) { return s.id == id; });
    return it == states.end() ? nullptr : &*it;
}

// Puts the captions of `states` in the order of their stack places, in the
// places of the container's stack that captions hold now; photos and cells
// keep theirs.
void restackCaptions(CollageEditor& editor, kit::View& container,
                     const std::vector<CaptionState>& states)
{
    std::vector<std::pair<int, kit::View*>> named;
    for (const CaptionState& c : states) {
        kit::View* v = editor.ids().view(c.id);
        if (v && v->superview() == &container)
            named.emplace_back(c.stack, v);
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::unordered_map<const kit::View*, bool> isNamed;
    for (const auto& [stack, v] : named)
        isNamed[v] = true;
    std::unordered_map<const kit::View*, int> place;
    size_t next = 0;
    int k = 0;
    for (const auto& sub : container.subviews()) {
        kit::View* v = sub.get();
        place[isNamed.count(v) ? named[next++].second : v] = k++;
    }
    container.sortSubviews(
        [&place](const kit::View* a, const kit::View* b) { return place[a] < place[b]; });
}

void restoreCaptions(CollageEditor& editor, KLCanvasView& canvas,
                     const std::vector<CaptionState>& from, const std::vector<CaptionState>& to)
{
    if (from == to)
        return;
    auto live = [&](int id) -> KLTextView* {
        KLTextView* caption = editor.ids().viewAs<KLTextView>(id);
        const auto& items = canvas.textItems();
        return std::find(items.begin(), items.end(), caption) != items.end() ? caption : nullptr;
    };
    for (const CaptionState& c : from) {
        if (!findById(to, c.id)) {
            if (KLTextView* caption = live(c.id))
                canvas.textViewDeleted(caption);
        }
    }
    for (const CaptionState& c : to) {
        KLTextView* caption = live(c.id);
        const CaptionState* was = findById(from, c.id);
        if (!caption)
            insertCaption(editor, canvas, c);
        else if (!was || *was != c)
            applyCaption(*caption, c);
    }
}

void restoreTemplate(CollageEditor& editor, const TemplateCollage& from, const TemplateCollage& to)
{
    KLResourceView& canvas = editor.templateCanvas();
    const bool replaced = from.file != to.file || from.text != to.text;
    if (replaced) {
        // Captions survive a new template, above its cells.
        canvas.loadResourceFromText(to.text, to.file);
        editor.templateReplaced();
    }
    if (replaced || from.ratio != to.ratio)
        editor.setRatioIndex(Mode::Template, to.ratio);
    applyDecorations(canvas, to.decorations);
    const auto& cells = canvas.items();
    for (size_t i = 0; i < cells.size() && i < to.cells.size(); ++i) {
        if (replaced || i >= from.cells.size() || from.cells[i] != to.cells[i])
            applyCell(*cells[i], to.cells[i]);
    }
    restoreCaptions(editor, canvas, from.captions, to.captions);
    restackCaptions(editor, *canvas.boundView(), to.captions);
    canvas.setNeedsDisplay();
}

void restoreFree(CollageEditor& editor, const FreeCollage& from, const FreeCollage& to)
{
    KLFreeLayoutView& canvas = editor.freeCanvas();
    if (from.ratio != to.ratio)
        editor.setRatioIndex(Mode::FreeLayout, to.ratio);
    applyDecorations(canvas, to.decorations);
    auto live = [&](int id) -> KLFreeLayoutItem* {
        KLFreeLayoutItem* item = editor.ids().viewAs<KLFreeLayoutItem>(id);
        const auto& items = canvas.items();
        return std::find(items.begin(), items.end(), item) != items.end() ? item : nullptr;
    };
    for (const PrintState& p : from.prints) {
        if (!findById(to.prints, p.id)) {
            if (KLFreeLayoutItem* item = live(p.id))
                canvas.layoutItemDeleted(item);
        }
    }
    for (const PrintState& p : to.prints) {
        KLFreeLayoutItem* item = live(p.id);
        const PrintState* was = findById(from.prints, p.id);
        if (!item) {
            insertPrint(editor, p);
        } else if (!was || *was != p) {
            if (!was || !(was->photo == p.photo))
                item->_setImage(p.photo.image);
            placePrint(*item, p);
        }
    }
    restoreCaptions(editor, canvas, from.captions, to.captions);
    restack(editor, *canvas.boundView(), to.prints, to.captions);
    canvas.setNeedsDisplay();
    for (const auto& sub : canvas.boundView()->subviews())
        sub->setNeedsDisplay();
}

void restoreSerial(CollageEditor& editor, const SerialCollage& from, const SerialCollage& to)
{
    KLCombinView& canvas = editor.serialCanvas();
    if (to.photos.empty() && !from.photos.empty()) {
        // As a clear does, so that the column keeps its shape.
        canvas.clear();
        restoreCaptions(editor, canvas, {}, to.captions);
    } else {
        if (from.photos != to.photos)
            setSerialPhotos(canvas, to.photos);
        restoreCaptions(editor, canvas, from.captions, to.captions);
    }
    applyDecorations(canvas, to.decorations);
    restackCaptions(editor, canvas, to.captions);
    canvas.setNeedsDisplay();
}

} // namespace

void restoreCollage(CollageEditor& editor, const CollageDocument& from, const CollageDocument& to)
{
    const CollageDocument a = collageContent(from), b = collageContent(to);
    if (a.templateCollage != b.templateCollage)
        restoreTemplate(editor, from.templateCollage, to.templateCollage);
    if (a.freeCollage != b.freeCollage)
        restoreFree(editor, from.freeCollage, to.freeCollage);
    if (a.serialCollage != b.serialCollage)
        restoreSerial(editor, from.serialCollage, to.serialCollage);
}

CollageDocument collageContent(CollageDocument d)
{
    d.shown = Mode::Template;
    d.templateCollage.zoom = d.freeCollage.zoom = d.serialCollage.zoom = 1;
    auto byId = [](std::vector<CaptionState>& captions) {
        std::stable_sort(captions.begin(), captions.end(),
                         [](const CaptionState& a, const CaptionState& b) { return a.id < b.id; });
    };
    byId(d.templateCollage.captions);
    byId(d.freeCollage.captions);
    byId(d.serialCollage.captions);
    return d;
}
