#pragma once

// The layout modes of the editor, the side-panel pages, the command tags
// that menu items carry, and what the controller keeps per mode.

#include "border/backgroundentry.h"
#include "document/collagemode.h"
#include "kit/geometry.h"

#include <array>
#include <optional>

class KLCanvasView;

namespace kit {
class ViewHost;
}

// The side-panel pages, by tab position.
enum class Page { Templates = 0, Backgrounds = 1, Borders = 2 };
inline constexpr std::array<Page, 3> kPages { Page::Templates, Page::Backgrounds, Page::Borders };

// Tags of the commands that menu items and controls send to the controller.
namespace tags {
// Layout modes: kLayoutModeBase + the mode's index.
inline constexpr int kLayoutModeBase = 100;
// Side-panel pages: kPageBase + the page's index.
inline constexpr int kPageBase = 200;
// The attached pop-up windows.
inline constexpr int kRatioPopUp = 100;
inline constexpr int kStylePopUp = 200;

inline constexpr int layoutModeTag(Mode mode)
{
    return kLayoutModeBase + int(mode);
}
inline constexpr int pageTag(Page page)
{
    return kPageBase + int(page);
}
} // namespace tags

// The zoom slider's range per mode.
inline constexpr double kMinimumZoom = 1.0;
inline constexpr double maximumZoom(Mode mode)
{
    return mode == Mode::Serial ? 5.0 : 3.0;
}

// What the controller keeps for one layout mode.
struct ModeState
{
    // The canvas, in its document view, shown by its own host widget.
    KLCanvasView* canvas = nullptr;
    kit::ViewHost* host = nullptr;
    // The document view's frame in the main scroll view, as last computed.
    kit::Rect documentFrame;
    // Zoom factor, 1.0 to the mode's maximum.
    float zoom = 1.0f;
    // Index into the ratio table (ratios::table).
    int ratioIndex = 0;
    // The user background (a picture) chosen last in this mode, if any.
    std::optional<BackgroundEntry> background;
};

// One ModeState per mode, indexed by the mode.
class ModeStates
{
public:
    ModeState& operator[](Mode mode) { return m_states[std::size_t(mode)]; }
    const ModeState& operator[](Mode mode) const { return m_states[std::size_t(mode)]; }

private:
    std::array<ModeState, 3> m_states;
};
