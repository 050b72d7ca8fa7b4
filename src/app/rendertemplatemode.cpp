#include "rendertemplatemode.h"

#include "exportsettings.h"
#include "ratiotable.h"

#include "document/offscreencollage.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include <QCommandLineParser>
#include <QTextStream>

QList<QCommandLineOption> TemplateRenderMode::options() const
{
    return { { QStringLiteral("template"),
               QStringLiteral("template mode: the template file (required)"),
               QStringLiteral("FILE") } };
}

std::optional<QString> TemplateRenderMode::readOptions(const QCommandLineParser& parser,
                                                       const RenderOptions&)
{
    templatePath = parser.value(QStringLiteral("template"));
    if (templatePath.isEmpty())
        return QStringLiteral("--template is required");
    return std::nullopt;
}

std::variant<RenderCanvas, RenderFailure>
TemplateRenderMode::makeCanvas(const RenderOptions& o, const std::vector<kit::Image>& photos,
                               OffscreenCollage& collage, QTextStream& warnings)
{
    KLResourceView* canvas = &collage.templateCanvas();
    QString error;
    if (!canvas->loadResourceFromPath(templatePath, &error))
        return RenderFailure { templatePath, error };
    // A collage without a single cell is not what was asked for.
    if (canvas->items().empty())
        return RenderFailure { templatePath, QStringLiteral("the template has no usable cell") };

    const kit::Size declared = canvas->frameSize();
    const int ratioIndex = ratios::indexForSize(declared.width, declared.height);
    const kit::Size ratio = ratios::table[ratioIndex];
    collage.setRatioIndex(Mode::Template, ratioIndex);
    // --width keeps both sides within the largest, as the export's custom size does.
    const kit::Size frame = o.size
        ? kit::Size(o.size->width(), o.size->height())
        : exportsettings::linkedSizeAtEnd(exportsettings::Field::Width, o.width, ratio);
    canvas->setFrame({ 0, 0, frame.width, frame.height });

    // The first cell takes the first photo, the others follow in template order.
    const size_t cells = canvas->items().size();
    canvas->addPhotos(photos);
    for (size_t i = cells; i < photos.size(); ++i)
        warnings << "tessera: warning: " << photos[i].filePath()
                 << ": no cell takes this photo (the template has " << cells << " cells)"
                 << Qt::endl;
    return RenderCanvas { Mode::Template, [ratio](double width) {
                             return exportsettings::ratioOutputSize(width, ratio);
                         } };
}
