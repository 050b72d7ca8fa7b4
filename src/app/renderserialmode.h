#pragma once

// `tessera render --mode serial`: the photos joined into one column, the
// first on top, as wide as --width and as tall as the photos make it.

#include "rendercommand.h"

class KLCombinView;

class SerialRenderMode : public RenderMode
{
public:
    QString name() const override { return QStringLiteral("serial"); }
    QList<QCommandLineOption> options() const override { return {}; }
    // Refuses --size: the photos decide the height.
    std::optional<QString> readOptions(const QCommandLineParser& parser,
                                       const RenderOptions& options) override;
    std::variant<RenderCanvas, RenderFailure> makeCanvas(const RenderOptions& options,
                                                         const std::vector<kit::Image>& photos,
                                                         OffscreenCollage& collage,
                                                         QTextStream& warnings) override;
};

// Lays the column out 1024 wide and sizes it for an output `width` wide,
// as the editor's export does.
RenderCanvas sizeSerialCanvas(KLCombinView& column, int width);
