#include "canvasgeometry.h"

#include <algorithm>
#include <cmath>

namespace canvasgeometry {

namespace {

// Reserve of the serial canvas along its longer side, and its fill factor.
constexpr double kSerialReserve = 10 + 8;
constexpr double kSerialFill = 0.9;
// Room for the serial canvas's own frame around its content.
constexpr double kSerialAllowance = 10;

// A scroll view smaller than the margins would give a negative size; the
// canvas then collapses to its centre instead.
kit::Rect nonNegative(const kit::Rect& r)
{
    kit::Rect out = r;
    if (!(out.size.width >= 0)) {
        out.origin.x += out.size.width / 2;
        out.size.width = 0;
    }
    if (!(out.size.height >= 0)) {
        out.origin.y += out.size.height / 2;
        out.size.height = 0;
    }
    return out;
}

} // namespace

kit::Size fittedSize(kit::Size scroll, double r)
{
    const double sw = scroll.width, sh = scroll.height;
    double w, h;
    if (r > 1) {
        w = sw;
        h = sw / r;
    } else {
        w = sw * r;
        h = sw;
    }
    if (h > sh) {
        h = sh;
        w = r * sh;
        if (w > sw) {
            w = sw;
            h = sw / r;
        }
    }
    return { w, h };
}

Frames ratioFrames(kit::Size scroll, float ratioWidth, float ratioHeight, float zoom)
{
    const double r = double(ratioWidth / ratioHeight);
    const double s = zoom;
    const kit::Size fit = fittedSize(scroll, r);

    Frames f;
    const double docW = scroll.width * s - 2 * kDocumentInset;
    const double docH = scroll.height * s - 2 * kDocumentInset;
    f.document = { kDocumentInset, kDocumentInset, docW, docH };

    const double w = fit.width * s, h = fit.height * s;
    const kit::Rect centred { (docW - w) / 2, (docH - h) / 2, w, h };
    f.canvas = nonNegative(r > 1 ? centred.insetBy(kCanvasMargin, kCanvasMargin / r)
                                 : centred.insetBy(kCanvasMargin * r, kCanvasMargin));
    return f;
}

Frames serialFrames(kit::Size scroll, float contentRatio, float zoom)
{
    const double sw = scroll.width, sh = scroll.height;
    // An empty canvas has no ratio of its own; it is shown square.
    const double r = std::isfinite(contentRatio) && contentRatio > 0 ? double(contentRatio) : 1.0;
    double w, h;
    if (r < 1) {
        h = (sh - kSerialReserve) * kSerialFill;
        w = r * h;
    } else {
        w = (sw - kSerialReserve) * kSerialFill;
        h = w / r;
    }
    w = std::max(0.0, w * zoom);
    h = std::max(0.0, h * zoom);

    Frames f;
    const double docW = sw - 10 > w ? sw - 10 : w;
    const double docH = std::max(sh - 10, kSerialFill * sh * zoom);
    f.document = { 0, 0, docW, docH };
    const double cw = w + kSerialAllowance, ch = h + kSerialAllowance;
    f.canvas = { (docW - cw) / 2, (docH - ch) / 2, cw, ch };
    return f;
}

} // namespace canvasgeometry
