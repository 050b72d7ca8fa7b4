#pragma once

// `tessera render --mode template` (the default): a template file's cells,
// filled with the photos in template order, at the template's ratio.

#include "rendercommand.h"

class TemplateRenderMode : public RenderMode
{
public:
    QString name() const override { return QStringLiteral("template"); }
    // --template FILE (required).
    QList<QCommandLineOption> options() const override;
    std::optional<QString> readOptions(const QCommandLineParser& parser,
                                       const RenderOptions& options) override;
    // Fails when the template cannot be read or has no usable cell; warns
    // of the photos beyond the last cell.
    std::variant<RenderCanvas, RenderFailure> makeCanvas(const RenderOptions& options,
                                                         const std::vector<kit::Image>& photos,
                                                         OffscreenCollage& collage,
                                                         QTextStream& warnings) override;

    // The template of the last readOptions (tests may set it directly).
    QString templatePath;
};
