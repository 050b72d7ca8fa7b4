#include "collagedescription.h"

#include "collageeditor.h"

#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"
#include "serial/klcombinview.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"
#include "text/textfont.h"

CollageDocument describeCollage(CollageEditor& editor)
{
    CollageDocument doc;
    doc.shown = editor.shownMode();
    doc.templateCollage = describeTemplate(editor);
    doc.freeCollage = describeFree(editor);
    doc.serialCollage = describeSerial(editor);
    return doc;
}

Decorations describeDecorations(const KLCanvasView& canvas)
{
    Decorations d;
    d.border = canvas.frameBorderPath();
    d.background = canvas.backgroundView();
    d.corners = canvas.hasCorner();
    d.shadow = canvas.hasShadow();
    return d;
}

TextStyle describeCaptionLook(const KLTextView& caption)
{
    // The caption's own values, not styleRecord(): a style file rounds some
    // of them, a document keeps them as they are.
    TextStyle s;
    if (const std::optional<QFont> font = caption.font()) {
        s.fontName = fontName(*font);
        s.fontSize = font->pointSizeF();
    }
    s.fontColor = caption.textColor();
    s.strokeWidth = caption.strokeWidth();
    s.strokeColor = caption.strokeColor();
    s.shadow = caption.dropShadow();
    s.shadowColor = caption.shadowColor();
    s.shadowOffset = caption.shadowOffset();
    s.shadowBlur = caption.shadowRadius();
    s.shadowDegree = caption.shadowDegree();
    s.opacity = caption.opacity();
    return s;
}

std::vector<CaptionState> describeCaptions(const KLCanvasView& canvas, ViewIds& ids)
{
    std::vector<CaptionState> out;
    for (const KLTextView* caption : canvas.textItems()) {
        CaptionState c;
        c.id = ids.idOf(caption);
        c.text = caption->text();
        c.location = caption->location();
        c.ratio = caption->size().ratio;
        c.height = caption->size().height;
        c.scaleHeight = caption->scaleHeight();
        c.rotation = caption->frameRotation();
        c.stack = caption->indexInSuperview();
        c.style = describeCaptionLook(*caption);
        out.push_back(c);
    }
    return out;
}

TemplateCollage describeTemplate(CollageEditor& editor)
{
    KLResourceView& canvas = editor.templateCanvas();
    TemplateCollage t;
    t.file = canvas.resourcePath();
    t.text = canvas.resourceText();
    t.ratio = editor.ratioIndex(Mode::Template);
    t.zoom = editor.zoom(Mode::Template);
    t.decorations = describeDecorations(canvas);
    for (const KLResourceItem* cell : canvas.items()) {
        CellState c;
        if (cell->image())
            c.photo = editor.photoRef(*cell->image());
        c.position = cell->imagePosition();
        c.scale = cell->imageScale();
        t.cells.push_back(c);
    }
    t.captions = describeCaptions(canvas, editor.ids());
    return t;
}

FreeCollage describeFree(CollageEditor& editor)
{
    KLFreeLayoutView& canvas = editor.freeCanvas();
    FreeCollage f;
    f.ratio = editor.ratioIndex(Mode::FreeLayout);
    f.zoom = editor.zoom(Mode::FreeLayout);
    f.decorations = describeDecorations(canvas);
    // Back to front, as the container stacks them.
    const auto& subviews = canvas.boundView()->subviews();
    for (int k = 0; k < int(subviews.size()); ++k) {
        const auto* item = dynamic_cast<const KLFreeLayoutItem*>(subviews[size_t(k)].get());
        if (!item || !item->image())
            continue;
        PrintState p;
        p.id = editor.ids().idOf(item);
        p.photo = editor.photoRef(*item->image());
        p.location = item->imageLocation();
        p.scale = item->scale();
        p.rotation = item->frameRotation();
        p.stack = k;
        f.prints.push_back(p);
    }
    f.captions = describeCaptions(canvas, editor.ids());
    return f;
}

SerialCollage describeSerial(CollageEditor& editor)
{
    KLCombinView& canvas = editor.serialCanvas();
    SerialCollage s;
    s.zoom = editor.zoom(Mode::Serial);
    s.decorations = describeDecorations(canvas);
    for (const KLCombinItem* item : canvas.items())
        s.photos.push_back(editor.photoRef(item->image()));
    s.captions = describeCaptions(canvas, editor.ids());
    return s;
}
