#include "collagefill.h"

#include "collagedescription.h"
#include "collageeditor.h"

#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"
#include "serial/klcombinview.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"

#include <limits>
#include <unordered_map>

void fillCollage(CollageEditor& editor, const CollageDocument& document)
{
    fillTemplate(editor, document.templateCollage);
    fillFree(editor, document.freeCollage);
    fillSerial(editor, document.serialCollage);
    editor.showMode(document.shown);
}

void applyDecorations(KLCanvasView& canvas, const Decorations& d)
{
    if (canvas.backgroundView() != d.background)
        canvas._setBackgroundView(d.background);
    if (canvas.frameBorderPath() != d.border)
        canvas._setFrameBorder(d.border);
    if (canvas.hasCorner() != d.corners)
        canvas._setHasCorner(d.corners);
    if (canvas.hasShadow() != d.shadow)
        canvas._setHasShadow(d.shadow);
}

void applyCell(KLResourceItem& cell, const CellState& state)
{
    if (state.photo && !state.photo->image.isNull())
        cell._setImage(state.photo->image);
    else
        cell._setImage(std::nullopt);
    cell._setImagePlacement(state.position, state.scale);
}

void fillTemplate(CollageEditor& editor, const TemplateCollage& t)
{
    KLResourceView& canvas = editor.templateCanvas();
    canvas.clear();
    if (canvas.resourcePath() != t.file || canvas.resourceText() != t.text
        || (t.text.isEmpty() && !canvas.items().empty()))
        canvas.loadResourceFromText(t.text, t.file);
    applyDecorations(canvas, t.decorations);
    const auto& cells = canvas.items();
    for (size_t i = 0; i < cells.size() && i < t.cells.size(); ++i)
        applyCell(*cells[i], t.cells[i]);
    for (const CaptionState& caption : t.captions)
        insertCaption(editor, canvas, caption);
    editor.templateReplaced();
    editor.setRatioIndex(Mode::Template, t.ratio);
    editor.setZoom(Mode::Template, t.zoom);
    canvas.setNeedsDisplay();
}

void placePrint(KLFreeLayoutItem& item, const PrintState& state)
{
    item._setScale(std::max(state.scale, KLFreeLayoutItem::kMinimumScale));
    item.setFrameRotation(state.rotation);
    item.setImageLocation(state.location);
    item.updateFrame();
}

KLFreeLayoutItem* insertPrint(CollageEditor& editor, const PrintState& state)
{
    KLFreeLayoutView& canvas = editor.freeCanvas();
    if (state.photo.image.isNull())
        return nullptr;
    KLFreeLayoutItem* item = canvas.addImage(state.photo.image, canvas.bounds().centre());
    if (!item)
        return nullptr;
    placePrint(*item, state);
    if (state.id != 0)
        editor.ids().bind(state.id, item);
    return item;
}

void fillFree(CollageEditor& editor, const FreeCollage& f)
{
    KLFreeLayoutView& canvas = editor.freeCanvas();
    canvas.clear();
    applyDecorations(canvas, f.decorations);
    editor.setRatioIndex(Mode::FreeLayout, f.ratio);
    // A description read from a file has no numbers yet; the new views'
    // numbers find them again for stacking.
    FreeCollage placed = f;
    for (PrintState& print : placed.prints) {
        if (KLFreeLayoutItem* item = insertPrint(editor, print))
            print.id = editor.ids().idOf(item);
    }
    for (CaptionState& caption : placed.captions)
        caption.id = editor.ids().idOf(insertCaption(editor, canvas, caption));
    restack(editor, *canvas.boundView(), placed.prints, placed.captions);
    editor.setZoom(Mode::FreeLayout, f.zoom);
    canvas.clearResponder();
}

void setSerialPhotos(KLCombinView& canvas, const std::vector<PhotoRef>& photos)
{
    const std::vector<KLCombinItem*> items = canvas.items();
    for (KLCombinItem* item : items)
        canvas.combinItemDeleted(item);
    std::vector<kit::Image> images;
    for (const PhotoRef& photo : photos) {
        if (!photo.image.isNull())
            images.push_back(photo.image);
    }
    canvas.addImages(images);
}

void fillSerial(CollageEditor& editor, const SerialCollage& s)
{
    KLCombinView& canvas = editor.serialCanvas();
    canvas.clear();
    applyDecorations(canvas, s.decorations);
    setSerialPhotos(canvas, s.photos);
    for (const CaptionState& caption : s.captions)
        insertCaption(editor, canvas, caption);
    editor.setZoom(Mode::Serial, s.zoom);
}

void applyCaption(KLTextView& caption, const CaptionState& state)
{
    if (describeCaptionLook(caption) != state.style)
        caption.applyStyleWithDictionary(state.style);
    if (caption.text() != state.text)
        caption._setText(state.text);
    caption.setLocation(state.location);
    caption.setSize({ state.ratio, state.height });
    caption.setScaleHeight(state.scaleHeight);
    caption.setFrameRotation(state.rotation);
    caption.updateFrame();
    caption.setNeedsDisplay();
}

KLTextView* insertCaption(CollageEditor& editor, KLCanvasView& canvas, const CaptionState& state)
{
    KLTextView* caption = canvas.addTextView(state.text, canvas.textAnchor());
    applyCaption(*caption, state);
    if (state.id != 0)
        editor.ids().bind(state.id, caption);
    return caption;
}

void restack(CollageEditor& editor, kit::View& container, const std::vector<PrintState>& prints,
             const std::vector<CaptionState>& captions)
{
    std::unordered_map<const kit::View*, int> stackOf;
    for (const PrintState& p : prints) {
        if (kit::View* v = editor.ids().view(p.id))
            stackOf[v] = p.stack;
    }
    for (const CaptionState& c : captions) {
        if (kit::View* v = editor.ids().view(c.id))
            stackOf[v] = c.stack;
    }
    auto key = [&stackOf](const kit::View* v) {
        const auto it = stackOf.find(v);
        return it == stackOf.end() ? std::numeric_limits<int>::max() : it->second;
    };
    container.sortSubviews(
        [&key](const kit::View* a, const kit::View* b) { return key(a) < key(b); });
}

void placeInStack(kit::View& container, kit::View* view, int index)
{
    if (!view || view->superview() != &container)
        return;
    std::unordered_map<const kit::View*, int> place;
    int k = 0;
    for (const auto& sub : container.subviews()) {
        if (sub.get() == view)
            continue;
        if (k == index)
            ++k;
        place[sub.get()] = k++;
    }
    place[view] = std::min(index, k);
    container.sortSubviews(
        [&place](const kit::View* a, const kit::View* b) { return place[a] < place[b]; });
}

void orderByIds(CollageEditor& editor, kit::View& container, const std::vector<int>& ids)
{
    std::unordered_map<const kit::View*, int> place;
    for (int k = 0; k < int(ids.size()); ++k) {
        if (kit::View* v = editor.ids().view(ids[size_t(k)]))
            place[v] = k;
    }
    auto key = [&place](const kit::View* v) {
        const auto it = place.find(v);
        return it == place.end() ? std::numeric_limits<int>::max() : it->second;
    };
    container.sortSubviews(
        [&key](const kit::View* a, const kit::View* b) { return key(a) < key(b); });
    container.setNeedsDisplay();
}

kit::View& stackingContainer(CollageEditor& editor, Mode mode)
{
    switch (mode) {
    case Mode::FreeLayout:
        return *editor.freeCanvas().boundView();
    case Mode::Serial:
        return editor.serialCanvas();
    case Mode::Template:
        break;
    }
    return *editor.templateCanvas().boundView();
}
