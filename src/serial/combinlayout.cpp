#include "combinlayout.h"

namespace combinlayout {

namespace {

// The 500-unit model of the column.
constexpr double kModelWidth = 500;
constexpr double kModelPhotoWidth = 470;
constexpr double kModelGap = 15;

// Room between the canvas's bounds and the plate, on every side.
constexpr double kPlateInset = 5;
constexpr double kSpacingFactor = 0.03;

} // namespace

float aspect(kit::Size photo)
{
    if (photo.isEmpty())
        return 0;
    return float(photo.width / photo.height);
}

float contentRatio(const std::vector<kit::Size>& photos)
{
    float sum = 0;
    bool any = false;
    for (kit::Size photo : photos) {
        const float a = aspect(photo);
        if (a <= 0)
            continue;
        any = true;
        sum = float(sum + kModelGap + float(kModelPhotoWidth / a));
    }
    if (!any)
        return 1.0f;
    return float(kModelWidth / float(sum + kModelGap));
}

Column layout(double width, const std::vector<kit::Size>& photos)
{
    Column c;
    c.spacing = kit::f32((width - 2 * kPlateInset) * kSpacingFactor);
    c.itemWidth = kit::f32(width - 2 * c.spacing - 2 * kPlateInset);
    c.left = c.spacing + kPlateInset;
    c.frames.resize(photos.size());

    // Bottom-up: the last photo is the lowest.
    double y0 = kPlateInset;
    for (size_t k = photos.size(); k-- > 0;) {
        const float a = aspect(photos[k]);
        const double height = a > 0 ? kit::f32(c.itemWidth / a) : 0;
        c.frames[k] = { c.left, kit::f32(y0 + c.spacing), c.itemWidth, height };
        y0 = kit::f32(kit::f32(y0 + c.spacing) + height);
    }
    return c;
}

} // namespace combinlayout
