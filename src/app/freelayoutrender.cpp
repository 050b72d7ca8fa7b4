#include "freelayoutrender.h"

#include "exportsettings.h"
#include "ratiotable.h"
#include "rendercommand.h"

#include "document/offscreencollage.h"
#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"

#include <cmath>
#include <optional>

#include <QCommandLineParser>
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

QList<QCommandLineOption> FreeRenderMode::options() const
{
    return { { QStringLiteral("ratio"),
               QStringLiteral("free mode: the canvas ratio, 1:1 (default), 3:2, 2:3, 4:3, 3:4 or "
                              "16:9; a free mode --photo may be FILE@X,Y[,S[,DEG]]: the print's "
                              "centre as fractions of the canvas from its top-left corner, its "
                              "width as a fraction of the canvas's, its turn in degrees"),
               QStringLiteral("W:H") } };
}

std::optional<QString> FreeRenderMode::readOptions(const QCommandLineParser& parser,
                                                   const RenderOptions& options)
{
    if (parser.isSet(QStringLiteral("ratio"))) {
        const QString title = parser.value(QStringLiteral("ratio"));
        const std::optional<int> index = ratioIndexForTitle(title);
        if (!index)
            return QStringLiteral("unknown ratio '%1' (1:1, 3:2, 2:3, 4:3, 3:4 or 16:9)")
                .arg(title);
        m_ratioIndex = *index;
        m_ratioGiven = true;
    }
    m_photos.clear();
    for (const QString& argument : options.photos) {
        auto placed = parseFreePhoto(argument);
        if (const QString* problem = std::get_if<QString>(&placed))
            return *problem;
        m_photos.push_back(std::get<FreePhoto>(placed));
    }
    return std::nullopt;
}

QStringList FreeRenderMode::photoFiles(const RenderOptions&) const
{
    QStringList files;
    for (const FreePhoto& photo : m_photos)
        files.append(photo.file);
    return files;
}

std::variant<RenderCanvas, RenderFailure>
FreeRenderMode::makeCanvas(const RenderOptions& o, const std::vector<kit::Image>& images,
                           OffscreenCollage& collage, QTextStream&)
{
    // Without --ratio, a --size of a ratio the window offers is kept as that
    // ratio, so that a document saved from the render opens at it.
    int ratioIndex = m_ratioIndex;
    if (!m_ratioGiven && o.size) {
        for (int i = 0; i < int(ratios::table.size()); ++i) {
            const kit::Size r = ratios::table[size_t(i)];
            if (qint64(o.size->width()) * qint64(r.height)
                == qint64(o.size->height()) * qint64(r.width))
                ratioIndex = i;
        }
    }
    collage.setRatioIndex(Mode::FreeLayout, ratioIndex);
    const kit::Size ratio = ratios::table[size_t(ratioIndex)];
    // --width keeps both sides within the largest, as the export's custom size does.
    const kit::Size output = o.size
        ? kit::Size(o.size->width(), o.size->height())
        : exportsettings::linkedSizeAtEnd(exportsettings::Field::Width, o.width, ratio);
    KLFreeLayoutView& canvas = layOutFreeCanvas(collage.freeCanvas(), output);
    placeFreePhotos(canvas, m_photos, images);
    canvas.setFrameSize(output);
    return RenderCanvas { Mode::FreeLayout, [ratio](double width) {
                             return exportsettings::ratioOutputSize(width, ratio);
                         } };
}

KLFreeLayoutView& layOutFreeCanvas(KLFreeLayoutView& canvas, kit::Size output)
{
    canvas.setFrame({ 0, 0, kLayoutWidth, kLayoutWidth * output.height / output.width });
    return canvas;
}
