#pragma once

// A collage without a window: the three canvases side by side, with the
// ratio and zoom the window would keep. The command-line renderer fills it
// from a document and renders one of its canvases; tests edit it as the
// window does.

#include "collageeditor.h"

#include <array>
#include <memory>

class OffscreenCollage : public CollageEditor
{
public:
    // Canvases of this frame until a render sizes them.
    explicit OffscreenCollage(const kit::Rect& frame = { 0, 0, 1024, 768 });
    ~OffscreenCollage() override;

    KLResourceView& templateCanvas() override { return *m_template; }
    KLFreeLayoutView& freeCanvas() override { return *m_free; }
    KLCombinView& serialCanvas() override { return *m_serial; }
    int ratioIndex(Mode mode) const override { return m_ratio[size_t(mode)]; }
    void setRatioIndex(Mode mode, int index) override { m_ratio[size_t(mode)] = index; }
    float zoom(Mode mode) const override { return m_zoom[size_t(mode)]; }
    void setZoom(Mode mode, float zoom) override { m_zoom[size_t(mode)] = zoom; }
    Mode shownMode() const override { return m_shown; }
    void showMode(Mode mode) override { m_shown = mode; }

private:
    std::unique_ptr<KLResourceView> m_template;
    std::unique_ptr<KLFreeLayoutView> m_free;
    std::unique_ptr<KLCombinView> m_serial;
    std::array<int, 3> m_ratio {};
    std::array<float, 3> m_zoom { 1, 1, 1 };
    Mode m_shown = Mode::Template;
};
