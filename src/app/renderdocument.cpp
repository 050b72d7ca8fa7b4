#include "renderdocument.h"

#include "exportsettings.h"
#include "freelayoutrender.h"
#include "ratiotable.h"
#include "renderserialmode.h"

#include "document/collagefill.h"
#include "document/documentreader.h"
#include "document/offscreencollage.h"
#include "document/photoloader.h"
#include "freelayout/klfreelayoutview.h"
#include "serial/klcombinview.h"
#include "template/klresourceview.h"

#include <QTextStream>

namespace {

// The document with nothing but the part of `mode`.
CollageDocument partOf(const CollageDocument& document, Mode mode)
{
    CollageDocument part;
    part.shown = mode;
    switch (mode) {
    case Mode::Template:
        part.templateCollage = document.templateCollage;
        break;
    case Mode::FreeLayout:
        part.freeCollage = document.freeCollage;
        break;
    case Mode::Serial:
        part.serialCollage = document.serialCollage;
        break;
    }
    return part;
}

void takePart(CollageDocument& document, CollageDocument& part, Mode mode)
{
    switch (mode) {
    case Mode::Template:
        document.templateCollage = std::move(part.templateCollage);
        break;
    case Mode::FreeLayout:
        document.freeCollage = std::move(part.freeCollage);
        break;
    case Mode::Serial:
        document.serialCollage = std::move(part.serialCollage);
        break;
    }
}

// --width keeps both sides within the largest, as the export's custom size does.
kit::Size ratioOutput(const RenderOptions& o, kit::Size ratio)
{
    return o.size ? kit::Size(o.size->width(), o.size->height())
                  : exportsettings::linkedSizeAtEnd(exportsettings::Field::Width, o.width, ratio);
}

} // namespace

std::variant<RenderCanvas, RenderFailure>
DocumentRenderMode::makeCanvas(const RenderOptions& o, const std::vector<kit::Image>&,
                               OffscreenCollage& collage, QTextStream& warnings)
{
    DocumentReadResult read = readCollageDocumentFile(path);
    if (!read.ok())
        return RenderFailure { path, read.error };
    CollageDocument& document = *read.document;
    const Mode drawn = mode.value_or(document.shown);
    if (drawn == Mode::Serial && o.size)
        return RenderFailure { path,
                               QStringLiteral("--size cannot be used with a serial collage: the "
                                              "photos decide the height; use --width"),
                               RenderUsage };

    // Every file of the mode drawn must be there; nothing stands in for one.
    CollageDocument part = partOf(document, drawn);
    const PhotoLoadReport report = loadDocumentPhotos(part, nullptr);
    if (!report.ok()) {
        QString reason = report.problems.front();
        if (report.problems.size() > 1)
            reason += QStringLiteral(" (and %1 more files that cannot be read)")
                          .arg(report.problems.size() - 1);
        return RenderFailure { path, reason };
    }
    takePart(document, part, drawn);
    const bool whole = !o.saveDocument.isEmpty();
    if (whole) {
        // The other modes go into the saved document as they are.
        for (const QString& problem : loadDocumentPhotos(document, &collage).problems)
            warnings << "tessera: warning: " << problem << " (" << path << ")" << Qt::endl;
    } else {
        document = partOf(document, drawn);
    }

    switch (drawn) {
    case Mode::Template: {
        const kit::Size ratio = ratios::table[size_t(document.templateCollage.ratio)];
        const kit::Size output = ratioOutput(o, ratio);
        collage.templateCanvas().setFrame({ 0, 0, output.width, output.height });
        fillCollage(collage, document);
        return RenderCanvas { Mode::Template, [ratio](double width) {
                                 return exportsettings::ratioOutputSize(width, ratio);
                             } };
    }
    case Mode::FreeLayout: {
        const kit::Size ratio = ratios::table[size_t(document.freeCollage.ratio)];
        const kit::Size output = ratioOutput(o, ratio);
        layOutFreeCanvas(collage.freeCanvas(), output);
        fillCollage(collage, document);
        collage.freeCanvas().setFrameSize(output);
        return RenderCanvas { Mode::FreeLayout, [ratio](double width) {
                                 return exportsettings::ratioOutputSize(width, ratio);
                             } };
    }
    case Mode::Serial:
        fillCollage(collage, document);
        return sizeSerialCanvas(collage.serialCanvas(), o.width);
    }
    return RenderFailure { path, QStringLiteral("no such mode") };
}
