#pragma once

// `tessera render DOCUMENT`: a mode of a collage document drawn as the
// editor's export draws it. The document is read, the files of the mode
// drawn are loaded (one that cannot be read fails the render, naming it),
// the canvas is filled as the editor fills it when it opens the document,
// and it is sized for the output as the export sizes it: the template and
// free layout canvases at the document's ratio (or --size), the column at
// --width and the height its photos give.
//
// With --save-document the other modes are filled too, so that the saved
// document holds the whole collage; their photos that cannot be read are
// named in warnings and kept by reference.

#include "rendercommand.h"

#include <optional>

class DocumentRenderMode : public RenderMode
{
public:
    explicit DocumentRenderMode(QString document) : path(std::move(document)) { }

    QString name() const override { return QStringLiteral("document"); }
    QList<QCommandLineOption> options() const override { return {}; }
    std::optional<QString> readOptions(const QCommandLineParser&, const RenderOptions&) override
    {
        return std::nullopt;
    }
    QStringList photoFiles(const RenderOptions&) const override { return {}; }
    // Fails, naming the file, when the document or a file of the mode drawn
    // cannot be read; refuses --size for a serial collage.
    std::variant<RenderCanvas, RenderFailure> makeCanvas(const RenderOptions& options,
                                                         const std::vector<kit::Image>& photos,
                                                         OffscreenCollage& collage,
                                                         QTextStream& warnings) override;

    // The document's file.
    QString path;
    // The mode to draw; the one the document was saved in when absent.
    std::optional<Mode> mode;
};
