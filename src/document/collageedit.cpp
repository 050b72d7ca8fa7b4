#include "collageedit.h"

#include "collagerestore.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

struct Named
{
    const char* key;
    QString target;
};

template<class State> const State* findById(const std::vector<State>& states, int id)
{
    const auto it =
        std::find_if(states.begin(), states.end(), [id](const State& s) { return s.id == id; });
    return it == states.end() ? nullptr : &*it;
}

QString captionTarget(int id)
{
    return QStringLiteral("caption %1").arg(id);
}

const char* captionChange(const CaptionState& a, const CaptionState& b)
{
    const TextStyle &s = a.style, &t = b.style;
    if (a.text != b.text)
        return "EDIT_CAPTION_TEXT";
    if (s.fontName != t.fontName || s.fontSize != t.fontSize)
        return "EDIT_CAPTION_FONT";
    if (s.fontColor != t.fontColor)
        return "EDIT_CAPTION_COLOUR";
    if (s.strokeWidth != t.strokeWidth || s.strokeColor != t.strokeColor)
        return "EDIT_CAPTION_OUTLINE";
    if (s.shadow != t.shadow || s.shadowColor != t.shadowColor || s.shadowOffset != t.shadowOffset
        || s.shadowBlur != t.shadowBlur || s.shadowDegree != t.shadowDegree)
        return "EDIT_CAPTION_SHADOW";
    if (s.opacity != t.opacity)
        return "EDIT_CAPTION_OPACITY";
    if (a.rotation != b.rotation)
        return "EDIT_ROTATE";
    if (a.ratio != b.ratio || a.height != b.height || a.scaleHeight != b.scaleHeight)
        return "EDIT_SCALE";
    if (a.location != b.location)
        return "EDIT_MOVE";
    if (a.stack != b.stack)
        return "EDIT_BRING_TO_FRONT";
    return nullptr;
}

std::optional<Named> captionsEdit(const std::vector<CaptionState>& before,
                                  const std::vector<CaptionState>& after)
{
    for (const CaptionState& c : after) {
        if (!findById(before, c.id))
            return Named { "EDIT_ADD_CAPTION", captionTarget(c.id) };
    }
    for (const CaptionState& c : before) {
        if (!findById(after, c.id))
            return Named { "EDIT_DELETE", captionTarget(c.id) };
    }
    // A caption brought to the front moves the others' places too: the one
    // whose place grew names the edit.
    const char* stackOnly = nullptr;
    QString stackTarget;
    for (const CaptionState& c : after) {
        const CaptionState& was = *findById(before, c.id);
        const char* change = captionChange(was, c);
        if (!change)
            continue;
        if (std::string_view(change) != "EDIT_BRING_TO_FRONT")
            return Named { change, captionTarget(c.id) };
        if (!stackOnly || c.stack > was.stack) {
            stackOnly = change;
            stackTarget = captionTarget(c.id);
        }
    }
    if (stackOnly)
        return Named { stackOnly, stackTarget };
    return std::nullopt;
}

std::optional<Named> decorationsEdit(const Decorations& a, const Decorations& b)
{
    if (a.border != b.border)
        return Named { "EDIT_BORDER", {} };
    if (a.background != b.background)
        return Named { "EDIT_BACKGROUND", {} };
    if (a.corners != b.corners)
        return Named { "EDIT_CORNERS", {} };
    if (a.shadow != b.shadow)
        return Named { "EDIT_SHADOW", {} };
    return std::nullopt;
}

// The photos that `changed` cells showed, in some order, compared as a set.
bool samePhotos(std::vector<std::optional<PhotoRef>> a, std::vector<std::optional<PhotoRef>> b)
{
    for (const auto& p : a) {
        const auto it = std::find(b.begin(), b.end(), p);
        if (it == b.end())
            return false;
        b.erase(it);
    }
    return b.empty();
}

std::optional<Named> templateEdit(const TemplateCollage& a, const TemplateCollage& b)
{
    if (a.file != b.file || a.text != b.text)
        return Named { "EDIT_TEMPLATE", {} };
    if (a.ratio != b.ratio)
        return Named { "EDIT_RATIO", {} };
    if (auto d = decorationsEdit(a.decorations, b.decorations))
        return d;
    const bool emptied = std::none_of(b.cells.begin(), b.cells.end(),
                                      [](const CellState& c) { return c.photo.has_value(); });
    if (emptied && b.captions.empty()
        && (!a.captions.empty()
            || std::any_of(a.cells.begin(), a.cells.end(),
                           [](const CellState& c) { return c.photo.has_value(); })))
        return Named { "EDIT_CLEAR", {} };
    std::vector<size_t> photoChanged, placeChanged;
    for (size_t i = 0; i < a.cells.size() && i < b.cells.size(); ++i) {
        if (a.cells[i].photo != b.cells[i].photo)
            photoChanged.push_back(i);
        else if (a.cells[i] != b.cells[i])
            placeChanged.push_back(i);
    }
    if (!photoChanged.empty()) {
        std::vector<std::optional<PhotoRef>> was, now;
        for (size_t i : photoChanged) {
            was.push_back(a.cells[i].photo);
            now.push_back(b.cells[i].photo);
        }
        if (photoChanged.size() == 2 && samePhotos(was, now))
            return Named { "EDIT_SWAP_PHOTOS", {} };
        if (photoChanged.size() == 1 && !now.front())
            return Named { "EDIT_DELETE", QStringLiteral("cell %1").arg(photoChanged.front()) };
        return Named { "EDIT_ADD_PHOTOS", {} };
    }
    if (placeChanged.size() == 1) {
        const size_t i = placeChanged.front();
        const QString cell = QStringLiteral("cell %1").arg(i);
        if (a.cells[i].scale != b.cells[i].scale)
            return Named { "EDIT_ZOOM_PHOTO", cell };
        return Named { "EDIT_PAN_PHOTO", cell };
    }
    if (!placeChanged.empty())
        return Named { "EDIT_PAN_PHOTO", {} };
    return captionsEdit(a.captions, b.captions);
}

std::optional<Named> freeEdit(const FreeCollage& a, const FreeCollage& b)
{
    if (a.ratio != b.ratio)
        return Named { "EDIT_RATIO", {} };
    if (auto d = decorationsEdit(a.decorations, b.decorations))
        return d;
    if (b.prints.empty() && b.captions.empty())
        return Named { "EDIT_CLEAR", {} };
    for (const PrintState& p : b.prints) {
        if (!findById(a.prints, p.id))
            return Named { "EDIT_ADD_PHOTOS", {} };
    }
    for (const PrintState& p : a.prints) {
        if (!findById(b.prints, p.id))
            return Named { "EDIT_DELETE", QStringLiteral("print %1").arg(p.id) };
    }
    std::optional<Named> stacked;
    for (const PrintState& p : b.prints) {
        const PrintState& was = *findById(a.prints, p.id);
        const QString target = QStringLiteral("print %1").arg(p.id);
        if (was.rotation != p.rotation)
            return Named { "EDIT_ROTATE", target };
        if (was.scale != p.scale)
            return Named { "EDIT_SCALE", target };
        if (was.location != p.location)
            return Named { "EDIT_MOVE", target };
        if (!(was.photo == p.photo))
            return Named { "EDIT_ADD_PHOTOS", target };
        if (was.stack < p.stack)
            stacked = Named { "EDIT_BRING_TO_FRONT", target };
    }
    if (auto c = captionsEdit(a.captions, b.captions))
        return c;
    return stacked;
}

std::optional<Named> serialEdit(const SerialCollage& a, const SerialCollage& b)
{
    if (auto d = decorationsEdit(a.decorations, b.decorations))
        return d;
    if (b.photos.empty() && b.captions.empty())
        return Named { "EDIT_CLEAR", {} };
    if (a.photos != b.photos) {
        if (b.photos.size() > a.photos.size())
            return Named { "EDIT_ADD_PHOTOS", {} };
        if (b.photos.size() < a.photos.size())
            return Named { "EDIT_DELETE", {} };
        return Named { "EDIT_REORDER", {} };
    }
    return captionsEdit(a.captions, b.captions);
}

} // namespace

CollageEdit describeEdit(const CollageDocument& before, const CollageDocument& after,
                         Mode preferred)
{
    const CollageDocument a = collageContent(before), b = collageContent(after);
    auto named = [&](Mode mode) -> std::optional<Named> {
        switch (mode) {
        case Mode::Template:
            return a.templateCollage == b.templateCollage
                ? std::nullopt
                : templateEdit(a.templateCollage, b.templateCollage);
        case Mode::FreeLayout:
            return a.freeCollage == b.freeCollage ? std::nullopt
                                                  : freeEdit(a.freeCollage, b.freeCollage);
        case Mode::Serial:
            break;
        }
        return a.serialCollage == b.serialCollage ? std::nullopt
                                                  : serialEdit(a.serialCollage, b.serialCollage);
    };
    std::vector<Mode> order { preferred };
    for (Mode m : kModes) {
        if (m != preferred)
            order.push_back(m);
    }
    for (Mode m : order) {
        if (std::optional<Named> n = named(m))
            return { m, n->key, n->target };
    }
    for (Mode m : order) {
        const bool changed = m == Mode::Template ? a.templateCollage != b.templateCollage
            : m == Mode::FreeLayout              ? a.freeCollage != b.freeCollage
                                                 : a.serialCollage != b.serialCollage;
        if (changed)
            return { m, "EDIT_CHANGE", {} };
    }
    return { preferred, "EDIT_CHANGE", {} };
}
