#include "freelayoutrender.h"

#include "exportsettings.h"
#include "ratiotable.h"
#include "rendercommand.h"

#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"

#include <cmath>
#include <optional>

#include <QLocale>
#include <QStringList>
#include <QTextStream>

namespace {

// The width of the canvas a collage is laid out on before it is sized for
// the output.
constexpr double kLayoutWidth = 1024;

// Prints wider than this many containers show nothing but a part of one photo.
constexpr double kMaxScale = 10;

// Two to four plain numbers separated by commas, or nothing.
std::optional<std::vector<double>> numberList(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() < 2 || parts.size() > 4)
        return std::nullopt;
    std::vector<double> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        const double v = QLocale::c().toDouble(part, &ok);
        if (!ok)
            return std::nullopt;
        numbers.push_back(v);
    }
    return numbers;
}

} // namespace

std::variant<FreePhoto, QString> parseFreePhoto(const QString& argument)
{
    FreePhoto photo;
    photo.file = argument;
    const qsizetype at = argument.lastIndexOf(QLatin1Char('@'));
    const std::optional<std::vector<double>> numbers =
        at >= 0 ? numberList(argument.mid(at + 1)) : std::nullopt;
    if (numbers) {
        photo.file = argument.left(at);
        const std::vector<double>& n = *numbers;
        for (double v : n) {
            if (!std::isfinite(v))
                return QStringLiteral("--photo %1: the numbers must be finite").arg(argument);
        }
        photo.at = { n[0], n[1] };
        if (n.size() > 2) {
            if (n[2] < KLFreeLayoutItem::kMinimumScale || n[2] > kMaxScale)
                return QStringLiteral("--photo %1: the scale must be from %2 to %3")
                    .arg(argument)
                    .arg(double(KLFreeLayoutItem::kMinimumScale))
                    .arg(kMaxScale);
            photo.scale = float(n[2]);
        }
        if (n.size() > 3)
            photo.degrees = n[3];
    }
    if (photo.file.isEmpty())
        return QStringLiteral("--photo needs a file");
    return photo;
}

void placeFreePhotos(KLFreeLayoutView& canvas, const std::vector<FreePhoto>& photos,
                     const std::vector<kit::Image>& images)
{
    kit::View* container = canvas.boundView();
    const kit::Size area = container->bounds().size;
    for (size_t i = 0; i < photos.size() && i < images.size(); ++i) {
        const FreePhoto& p = photos[i];
        // Measured from the top-left corner, as people read a picture.
        const kit::Point centre(p.at.x * area.width, (1 - p.at.y) * area.height);
        KLFreeLayoutItem* item =
            canvas.addImage(images[i], container->convertPointToView(centre, &canvas));
        if (item)
            item->setPlacement(centre, p.scale, p.degrees);
    }
}

std::optional<int> ratioIndexForTitle(const QString& title)
{
    for (int i = 0; i < int(ratios::table.size()); ++i) {
        if (ratios::title(i) == title)
            return i;
    }
    return std::nullopt;
}

RenderStatus runFreeRender(const RenderOptions& o, QTextStream& err)
{
    // Everything is read before anything is drawn, so a bad input stops the
    // render before an output file could be touched.
    std::vector<kit::Image> images;
    for (const FreePhoto& photo : o.freePhotos) {
        QString error;
        std::optional<kit::Image> image = kit::Image::load(photo.file, &error);
        if (!image)
            return renderFailure(err, photo.file, error);
        images.push_back(*image);
    }
    std::optional<BackgroundEntry> background;
    if (!loadRenderBackground(o, background, err))
        return RenderFailed;

    const kit::Size output = o.size
        ? kit::Size(o.size->width(), o.size->height())
        : exportsettings::ratioOutputSize(o.width, ratios::table[o.ratioIndex]);
    // Laid out on the canvas a window would show, then sized for the output.
    KLFreeLayoutView canvas({ 0, 0, kLayoutWidth, kLayoutWidth * output.height / output.width });
    if (o.border) {
        canvas._setFrameBorder(*o.border);
        if (!canvas.hasFrameBorder())
            return renderFailure(err, *o.border,
                                 QStringLiteral("not a readable frame border file"));
    }
    canvas._setHasCorner(o.corners);
    canvas._setHasShadow(o.shadow);
    canvas._setBackgroundView(background);
    placeFreePhotos(canvas, o.freePhotos, images);
    canvas.setFrameSize(output);

    QString writeError;
    const kit::Size ratio = ratios::table[o.ratioIndex];
    if (!writeRenderOutput(
            canvas, [ratio](double w) { return exportsettings::ratioOutputSize(w, ratio); }, o,
            &writeError))
        return renderFailure(err, o.output, writeError);
    return RenderOk;
}
