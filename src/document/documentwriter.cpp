#include "documentwriter.h"

#include "documentformat.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

using namespace documentformat;

namespace {

class Writer
{
public:
    explicit Writer(const QString& folder) : m_folder(QDir::cleanPath(folder)) { }

    QJsonObject fileRef(const QString& file) const
    {
        QJsonObject ref;
        const QString absolute = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
        const QString relative = m_folder.relativeFilePath(absolute);
        ref.insert(QLatin1String(kPath), relative);
        if (QDir::isRelativePath(relative))
            ref.insert(QLatin1String(kAbsolute), absolute);
        return ref;
    }

    QJsonObject photo(const PhotoRef& p) const
    {
        QJsonObject ref = fileRef(p.file);
        // A stand-in keeps the size of the photo it stands for.
        const QSize size = p.pixelSize.isValid() ? p.pixelSize : p.image.pixelSize();
        ref.insert(QLatin1String(kWidth), size.width());
        ref.insert(QLatin1String(kHeight), size.height());
        return ref;
    }

    QJsonObject decorations(const Decorations& d) const
    {
        QJsonObject out;
        out.insert(QLatin1String(kBorder),
                   d.border ? QJsonValue(fileRef(*d.border)) : QJsonValue());
        QJsonValue background;
        if (d.background) {
            if (d.background->tag == 0)
                background = QLatin1String(kWhite);
            else if (d.background->tag == 1)
                background = QLatin1String(kBlack);
            else
                background = fileRef(d.background->path);
        }
        out.insert(QLatin1String(kBackground), background);
        out.insert(QLatin1String(kCorners), d.corners);
        out.insert(QLatin1String(kShadow), d.shadow);
        return out;
    }

    static void point(QJsonObject& out, kit::Point p)
    {
        out.insert(QLatin1String(kX), p.x);
        out.insert(QLatin1String(kY), p.y);
    }

    static QJsonValue color(const std::optional<QColor>& c)
    {
        if (!c)
            return QJsonValue();
        float r, g, b, a;
        c->toRgb().getRgbF(&r, &g, &b, &a);
        return QJsonArray { double(r), double(g), double(b), double(a) };
    }

    static QJsonObject style(const TextStyle& s)
    {
        QJsonObject o;
        o.insert(QLatin1String(kFont), s.fontName);
        o.insert(QLatin1String(kSize), s.fontSize);
        o.insert(QLatin1String(kColor), color(s.fontColor));
        o.insert(QLatin1String(kStrokeWidth), s.strokeWidth);
        o.insert(QLatin1String(kStrokeColor), color(s.strokeColor));
        o.insert(QLatin1String(kShadow), s.shadow);
        o.insert(QLatin1String(kShadowColor), color(s.shadowColor));
        o.insert(QLatin1String(kShadowOffset), s.shadowOffset);
        o.insert(QLatin1String(kShadowBlur), s.shadowBlur);
        o.insert(QLatin1String(kShadowDegree), s.shadowDegree);
        o.insert(QLatin1String(kOpacity), s.opacity);
        return o;
    }

    QJsonArray captions(const std::vector<CaptionState>& captions) const
    {
        QJsonArray out;
        for (const CaptionState& c : captions) {
            QJsonObject o;
            o.insert(QLatin1String(kText), c.text);
            point(o, c.location);
            o.insert(QLatin1String(kRatio), c.ratio);
            o.insert(QLatin1String(kHeight), c.height);
            o.insert(QLatin1String(kScaleHeight), c.scaleHeight);
            o.insert(QLatin1String(kRotation), c.rotation);
            o.insert(QLatin1String(kStack), c.stack);
            o.insert(QLatin1String(kStyle), style(c.style));
            out.append(o);
        }
        return out;
    }

    QJsonObject templateCollage(const TemplateCollage& t) const
    {
        QJsonObject out;
        out.insert(QLatin1String(kTemplateFile),
                   t.file.isEmpty() ? QJsonValue() : QJsonValue(fileRef(t.file)));
        out.insert(QLatin1String(kTemplateText), t.text);
        out.insert(QLatin1String(kRatio), t.ratio);
        out.insert(QLatin1String(kZoom), double(t.zoom));
        out.insert(QLatin1String(kDecorations), decorations(t.decorations));
        QJsonArray cells;
        for (const CellState& c : t.cells) {
            QJsonObject o;
            o.insert(QLatin1String(kPhoto), c.photo ? QJsonValue(photo(*c.photo)) : QJsonValue());
            point(o, c.position);
            o.insert(QLatin1String(kScale), double(c.scale));
            cells.append(o);
        }
        out.insert(QLatin1String(kCells), cells);
        out.insert(QLatin1String(kCaptions), captions(t.captions));
        return out;
    }

    QJsonObject freeCollage(const FreeCollage& f) const
    {
        QJsonObject out;
        out.insert(QLatin1String(kRatio), f.ratio);
        out.insert(QLatin1String(kZoom), double(f.zoom));
        out.insert(QLatin1String(kDecorations), decorations(f.decorations));
        QJsonArray prints;
        for (const PrintState& p : f.prints) {
            QJsonObject o;
            o.insert(QLatin1String(kPhoto), photo(p.photo));
            point(o, p.location);
            o.insert(QLatin1String(kScale), double(p.scale));
            o.insert(QLatin1String(kRotation), p.rotation);
            o.insert(QLatin1String(kStack), p.stack);
            prints.append(o);
        }
        out.insert(QLatin1String(kPrints), prints);
        out.insert(QLatin1String(kCaptions), captions(f.captions));
        return out;
    }

    QJsonObject serialCollage(const SerialCollage& s) const
    {
        QJsonObject out;
        out.insert(QLatin1String(kZoom), double(s.zoom));
        out.insert(QLatin1String(kDecorations), decorations(s.decorations));
        QJsonArray photos;
        for (const PhotoRef& p : s.photos)
            photos.append(photo(p));
        out.insert(QLatin1String(kPhotos), photos);
        out.insert(QLatin1String(kCaptions), captions(s.captions));
        return out;
    }

private:
    QDir m_folder;
};

const char* modeName(Mode mode)
{
    switch (mode) {
    case Mode::FreeLayout:
        return kFreePart;
    case Mode::Serial:
        return kSerialPart;
    case Mode::Template:
        break;
    }
    return kTemplatePart;
}

} // namespace

QByteArray writeCollageDocument(const CollageDocument& document, const QString& documentFolder,
                                const QString& autosaveOf)
{
    const Writer writer(documentFolder);
    QJsonObject root;
    root.insert(QLatin1String(kFormat), QLatin1String(kFormatName));
    root.insert(QLatin1String(kVersion), kDocumentFormatVersion);
    root.insert(QLatin1String(kMode), QLatin1String(modeName(document.shown)));
    root.insert(QLatin1String(kTemplatePart), writer.templateCollage(document.templateCollage));
    root.insert(QLatin1String(kFreePart), writer.freeCollage(document.freeCollage));
    root.insert(QLatin1String(kSerialPart), writer.serialCollage(document.serialCollage));
    if (!autosaveOf.isEmpty())
        root.insert(QLatin1String(kAutosaveOf), autosaveOf);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString photosWithoutFile(const CollageDocument& document)
{
    int count = 0;
    auto check = [&count](const PhotoRef& p) {
        if (p.file.isEmpty())
            ++count;
    };
    for (const CellState& c : document.templateCollage.cells) {
        if (c.photo)
            check(*c.photo);
    }
    for (const PrintState& p : document.freeCollage.prints)
        check(p.photo);
    for (const PhotoRef& p : document.serialCollage.photos)
        check(p);
    if (count == 0)
        return {};
    return QStringLiteral("%1 photo(s) of the collage have no file to refer to").arg(count);
}

bool saveCollageDocument(const CollageDocument& document, const QString& path, QString* error,
                         const QString& autosaveOf)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (const QString missing = photosWithoutFile(document); !missing.isEmpty())
        return fail(missing);
    const QFileInfo info(path);
    const QByteArray bytes = writeCollageDocument(document, info.absolutePath(), autosaveOf);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size())
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
