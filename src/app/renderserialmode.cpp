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
    column.setFrameSize(exportsettings::serialOutputSize(width, ratio));
    return RenderCanvas { Mode::Serial, [ratio](double w) {
                             return exportsettings::serialOutputSize(w, ratio);
                         } };
}
