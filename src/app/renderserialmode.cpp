#include "renderserialmode.h"

#include "exportsettings.h"

#include "document/offscreencollage.h"
#include "serial/klcombinview.h"

std::optional<QString> SerialRenderMode::readOptions(const QCommandLineParser&,
                                                     const RenderOptions& options)
{
    if (options.size)
        return QStringLiteral(
            "--size cannot be used with --mode serial: the photos decide the height");
    return std::nullopt;
}

std::variant<RenderCanvas, RenderFailure>
SerialRenderMode::makeCanvas(const RenderOptions& options, const std::vector<kit::Image>& photos,
                             OffscreenCollage& collage, QTextStream&)
{
    collage.serialCanvas().addImages(photos);
    return sizeSerialCanvas(collage.serialCanvas(), options.width);
}

RenderCanvas sizeSerialCanvas(KLCombinView& column, int width)
{
    // Laid out on a canvas 1024 wide, as the editor's, then resized to the
    // output size, as its export does.
    const float ratio = column.ratio();
    column.setFrame({ { 0, 0 }, exportsettings::serialOutputSize(1024, ratio) });
    // A column taller than the largest side is made narrower, as the
    // export's custom size is; any other keeps the size the export gives it.
    kit::Size size = exportsettings::serialOutputSize(width, ratio);
    if (size.height > exportsettings::kMaxSide)
        size = exportsettings::serialOutputSize(width, ratio, true);
    column.setFrameSize(size);
    return RenderCanvas { Mode::Serial, [ratio](double w) {
                             return exportsettings::serialOutputSize(w, ratio);
                         } };
}
