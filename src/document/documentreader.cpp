#include "documentreader.h"

#include "documentformat.h"

#include <cmath>

#include <QColor>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace documentformat;

namespace {

// Reads one document, remembering the first problem with the JSON path of
// the field it lies in ("free.prints[2].scale").
class Reader
{
public:
    explicit Reader(QString folder) : m_folder(std::move(folder)) { }

    bool failed() const { return !m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    void fail(const QString& field, const QString& problem)
    {
        if (m_error.isEmpty())
            m_error = field.isEmpty() ? problem : QStringLiteral("%1: %2").arg(field, problem);
    }

    QJsonObject object(const QJsonObject& in, const char* key, const QString& field)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return {};
        if (!v.isObject())
            fail(field, QStringLiteral("not an object"));
        return v.toObject();
    }

    QJsonArray array(const QJsonObject& in, const char* key, const QString& field, int limit)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return {};
        if (!v.isArray()) {
            fail(field, QStringLiteral("not a list"));
            return {};
        }
        const QJsonArray a = v.toArray();
        if (a.size() > limit) {
            fail(field,
                 QStringLiteral("%1 entries; at most %2 are allowed").arg(a.size()).arg(limit));
            return {};
        }
        return a;
    }

    // A finite number within [lo, hi]; `absent` when the key is missing.
    double number(const QJsonObject& in, const char* key, const QString& field, double lo,
                  double hi, double absent)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isUndefined())
            return absent;
        const QString where = field + QLatin1Char('.') + QLatin1String(key);
        if (!v.isDouble()) {
            fail(where, QStringLiteral("not a number"));
            return absent;
        }
        const double d = v.toDouble();
        if (!std::isfinite(d) || d < lo || d > hi) {
            fail(where, QStringLiteral("%1 is outside %2 … %3").arg(d).arg(lo).arg(hi));
            return absent;
        }
        return d;
    }

    int integer(const QJsonObject& in, const char* key, const QString& field, int lo, int hi,
                int absent)
    {
        const double d = number(in, key, field, lo, hi, absent);
        if (d != std::floor(d)) {
            fail(field + QLatin1Char('.') + QLatin1String(key),
                 QStringLiteral("not a whole number"));
            return absent;
        }
        return int(d);
    }

    bool boolean(const QJsonObject& in, const char* key, const QString& field, bool absent)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isUndefined())
            return absent;
        if (!v.isBool())
            fail(field + QLatin1Char('.') + QLatin1String(key),
                 QStringLiteral("not true or false"));
        return v.toBool(absent);
    }

    QString string(const QJsonObject& in, const char* key, const QString& field, int limit)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return {};
        const QString where = field + QLatin1Char('.') + QLatin1String(key);
        if (!v.isString()) {
            fail(where, QStringLiteral("not a text"));
            return {};
        }
        const QString s = v.toString();
        if (s.size() > limit) {
            fail(where, QStringLiteral("longer than %1 characters").arg(limit));
            return {};
        }
        return s;
    }

    // A path of the document: relative ones lie below or beside the
    // document's folder; absolute ones stay as they are.
    QString path(const QJsonObject& in, const char* key, const QString& field)
    {
        const QString p = string(in, key, field, documentlimits::kMaxPathLength);
        if (p.isEmpty())
            return {};
        if (p.contains(QChar(0))) {
            fail(field + QLatin1Char('.') + QLatin1String(key), QStringLiteral("not a file name"));
            return {};
        }
        if (QDir::isAbsolutePath(p))
            return QDir::cleanPath(p);
        return QDir::cleanPath(m_folder + QLatin1Char('/') + p);
    }

    // {"path": ..., "absolute": ...}: the file, and the absolute path the
    // writer recorded beside a relative one.
    std::pair<QString, QString> fileRef(const QJsonObject& ref, const QString& field)
    {
        const QString file = path(ref, kPath, field);
        if (file.isEmpty() && !failed())
            fail(field + QLatin1String(".path"), QStringLiteral("missing"));
        QString fallback = path(ref, kAbsolute, field);
        if (fallback == file)
            fallback.clear();
        return { file, fallback };
    }

    std::optional<std::pair<QString, QString>> optionalFile(const QJsonObject& in, const char* key,
                                                            const QString& field)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        const QString where = field + QLatin1Char('.') + QLatin1String(key);
        if (!v.isObject()) {
            fail(where, QStringLiteral("not a file reference"));
            return std::nullopt;
        }
        return fileRef(v.toObject(), where);
    }

    PhotoRef photo(const QJsonObject& in, const QString& field)
    {
        PhotoRef ref;
        std::tie(ref.file, ref.fallback) = fileRef(in, field);
        const int w = integer(in, kWidth, field, 0, kMaxPixelSide, 0);
        const int h = integer(in, kHeight, field, 0, kMaxPixelSide, 0);
        ref.pixelSize = QSize(w, h);
        return ref;
    }

    Decorations decorations(const QJsonObject& owner, const QString& part)
    {
        const QString field = part + QStringLiteral(".decorations");
        const QJsonObject in = object(owner, kDecorations, field);
        Decorations d;
        if (const auto border = optionalFile(in, kBorder, field)) {
            d.border = border->first;
            d.borderFallback = border->second;
        }
        d.corners = boolean(in, kCorners, field, false);
        d.shadow = boolean(in, kShadow, field, true);
        const QJsonValue back = in.value(QLatin1String(kBackground));
        const QString where = field + QStringLiteral(".background");
        if (back.isString()) {
            if (back.toString() == QLatin1String(kWhite))
                d.background = BackgroundEntry { 0, {}, {} };
            else if (back.toString() == QLatin1String(kBlack))
                d.background = BackgroundEntry { 1, {}, {} };
            else
                fail(where, QStringLiteral("neither \"white\", \"black\" nor a picture"));
        } else if (back.isObject()) {
            // The library's tag is found again by the picture's file when
            // the document is opened; any tag from 2 on is a picture.
            const auto [file, fallback] = fileRef(back.toObject(), where);
            d.background = BackgroundEntry { 2, {}, file };
            d.backgroundFallback = fallback;
        } else if (!back.isUndefined() && !back.isNull()) {
            fail(where, QStringLiteral("neither \"white\", \"black\" nor a picture"));
        }
        return d;
    }

    std::optional<QColor> color(const QJsonObject& in, const char* key, const QString& field)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        const QString where = field + QLatin1Char('.') + QLatin1String(key);
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != 4) {
            fail(where, QStringLiteral("not a colour of four numbers"));
            return std::nullopt;
        }
        float c[4];
        for (int i = 0; i < 4; ++i) {
            const double d = a[i].toDouble(-1);
            if (!a[i].isDouble() || !(d >= 0 && d <= 1)) {
                fail(where, QStringLiteral("a component outside 0 … 1"));
                return std::nullopt;
            }
            c[i] = float(d);
        }
        return QColor::fromRgbF(c[0], c[1], c[2], c[3]);
    }

    TextStyle style(const QJsonObject& caption, const QString& at)
    {
        const QString field = at + QStringLiteral(".style");
        const QJsonObject in = object(caption, kStyle, field);
        TextStyle s = factoryTextStyle();
        s.text.reset();
        s.height = s.ratio = s.scaleHeight = 0;
        if (in.isEmpty())
            return s;
        s.fontName = string(in, kFont, field, kMaxFontNameLength);
        s.fontSize = number(in, kSize, field, 0, TextStyleLimits::MaxFontSize, s.fontSize);
        s.fontColor = color(in, kColor, field);
        s.strokeWidth = number(in, kStrokeWidth, field, 0, TextStyleLimits::MaxStrokeWidth, 0);
        s.strokeColor = color(in, kStrokeColor, field);
        s.shadow = boolean(in, kShadow, field, false);
        s.shadowColor = color(in, kShadowColor, field);
        s.shadowOffset = number(in, kShadowOffset, field, -TextStyleLimits::MaxShadowOffset,
                                TextStyleLimits::MaxShadowOffset, 0);
        s.shadowBlur = number(in, kShadowBlur, field, 0, TextStyleLimits::MaxShadowBlur, 0);
        s.shadowDegree = number(in, kShadowDegree, field, -TextStyleLimits::MaxDegree,
                                TextStyleLimits::MaxDegree, 0);
        s.opacity = number(in, kOpacity, field, 0, 100, 100);
        return s;
    }

    std::vector<CaptionState> captions(const QJsonObject& owner, const QString& part)
    {
        const QString field = part + QStringLiteral(".captions");
        std::vector<CaptionState> out;
        const QJsonArray list = array(owner, kCaptions, field, documentlimits::kMaxCaptions);
        for (qsizetype i = 0; i < list.size() && !failed(); ++i) {
            const QString at = QStringLiteral("%1[%2]").arg(field).arg(i);
            if (!list[i].isObject()) {
                fail(at, QStringLiteral("not an object"));
                break;
            }
            const QJsonObject c = list[i].toObject();
            CaptionState caption;
            caption.text = string(c, kText, at, documentlimits::kMaxTextLength);
            caption.location = fractionPoint(c, at);
            caption.ratio = number(c, kRatio, at, 0, kMaxFraction, 1);
            caption.height = number(c, kHeight, at, 0, kMaxFraction, 0);
            caption.scaleHeight = number(c, kScaleHeight, at, 0, 1e6, 0);
            caption.rotation = number(c, kRotation, at, -kMaxDegrees, kMaxDegrees, 0);
            caption.stack = integer(c, kStack, at, 0, kMaxStack, 0);
            caption.style = style(c, at);
            out.push_back(caption);
        }
        return out;
    }

    kit::Point fractionPoint(const QJsonObject& in, const QString& field)
    {
        return { number(in, kX, field, -kMaxFraction, kMaxFraction, 0),
                 number(in, kY, field, -kMaxFraction, kMaxFraction, 0) };
    }

    TemplateCollage templateCollage(const QJsonObject& root)
    {
        const QString field = QString::fromLatin1(kTemplatePart);
        const QJsonObject in = object(root, kTemplatePart, field);
        TemplateCollage t;
        if (const auto file = optionalFile(in, kTemplateFile, field)) {
            t.file = file->first;
            t.fileFallback = file->second;
        }
        t.text = string(in, kTemplateText, field, int(kMaxTemplateTextLength));
        t.ratio = integer(in, kRatio, field, 0, kRatioCount - 1, 0);
        t.zoom = float(number(in, kZoom, field, 1, kMaxZoom, 1));
        t.decorations = decorations(in, field);
        const QJsonArray cells =
            array(in, kCells, field + QStringLiteral(".cells"), documentlimits::kMaxCells);
        for (qsizetype i = 0; i < cells.size() && !failed(); ++i) {
            const QString at = QStringLiteral("%1.cells[%2]").arg(field).arg(i);
            if (!cells[i].isObject()) {
                fail(at, QStringLiteral("not an object"));
                break;
            }
            const QJsonObject c = cells[i].toObject();
            CellState cell;
            const QJsonValue p = c.value(QLatin1String(kPhoto));
            if (p.isObject())
                cell.photo = photo(p.toObject(), at + QStringLiteral(".photo"));
            else if (!p.isUndefined() && !p.isNull())
                fail(at + QStringLiteral(".photo"), QStringLiteral("not a photo"));
            cell.position = fractionPoint(c, at);
            cell.scale = float(number(c, kScale, at, kMinCellScale, kMaxCellScale, 1.5));
            t.cells.push_back(cell);
        }
        t.captions = captions(in, field);
        return t;
    }

    FreeCollage freeCollage(const QJsonObject& root)
    {
        const QString field = QString::fromLatin1(kFreePart);
        const QJsonObject in = object(root, kFreePart, field);
        FreeCollage f;
        f.ratio = integer(in, kRatio, field, 0, kRatioCount - 1, 0);
        f.zoom = float(number(in, kZoom, field, 1, kMaxZoom, 1));
        f.decorations = decorations(in, field);
        const QJsonArray prints =
            array(in, kPrints, field + QStringLiteral(".prints"), documentlimits::kMaxPrints);
        for (qsizetype i = 0; i < prints.size() && !failed(); ++i) {
            const QString at = QStringLiteral("%1.prints[%2]").arg(field).arg(i);
            if (!prints[i].isObject()) {
                fail(at, QStringLiteral("not an object"));
                break;
            }
            const QJsonObject p = prints[i].toObject();
            PrintState print;
            print.photo = photo(object(p, kPhoto, at), at + QStringLiteral(".photo"));
            print.location = fractionPoint(p, at);
            print.scale = float(number(p, kScale, at, kMinPrintScale, kMaxPrintScale, 0.5));
            print.rotation = number(p, kRotation, at, -kMaxDegrees, kMaxDegrees, 0);
            print.stack = integer(p, kStack, at, 0, kMaxStack, int(i));
            f.prints.push_back(print);
        }
        f.captions = captions(in, field);
        return f;
    }

    SerialCollage serialCollage(const QJsonObject& root)
    {
        const QString field = QString::fromLatin1(kSerialPart);
        const QJsonObject in = object(root, kSerialPart, field);
        SerialCollage s;
        s.zoom = float(number(in, kZoom, field, 1, kMaxSerialZoom, 1));
        s.decorations = decorations(in, field);
        const QJsonArray photos =
            array(in, kPhotos, field + QStringLiteral(".photos"), documentlimits::kMaxSerialPhotos);
        for (qsizetype i = 0; i < photos.size() && !failed(); ++i) {
            const QString at = QStringLiteral("%1.photos[%2]").arg(field).arg(i);
            if (!photos[i].isObject()) {
                fail(at, QStringLiteral("not a photo"));
                break;
            }
            s.photos.push_back(photo(photos[i].toObject(), at));
        }
        s.captions = captions(in, field);
        return s;
    }

private:
    QString m_folder;
    QString m_error;
};

} // namespace

DocumentReadResult readCollageDocument(const QByteArray& bytes, const QString& documentFolder)
{
    DocumentReadResult result;
    if (bytes.size() > documentlimits::kMaxBytes) {
        result.error = QStringLiteral("larger than %1 MB").arg(documentlimits::kMaxBytes >> 20);
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = QStringLiteral("not a collage document (%1 at byte %2)")
                           .arg(parseError.errorString())
                           .arg(parseError.offset);
        return result;
    }
    const QJsonObject root = json.object();
    if (!json.isObject()
        || root.value(QLatin1String(kFormat)).toString() != QLatin1String(kFormatName)) {
        result.error = QStringLiteral("not a collage document");
        return result;
    }
    const QJsonValue version = root.value(QLatin1String(kVersion));
    const double v = version.toDouble(-1);
    if (!version.isDouble() || v < 1 || v != std::floor(v) || v > 1e9) {
        result.error = QStringLiteral("a collage document without a valid format version");
        return result;
    }
    result.version = int(v);
    if (result.version > kDocumentFormatVersion) {
        result.error = QStringLiteral("written by a later version of Tessera (document format %1; "
                                      "this version reads format %2 and earlier)")
                           .arg(result.version)
                           .arg(kDocumentFormatVersion);
        return result;
    }

    Reader reader(QDir::cleanPath(documentFolder));
    CollageDocument doc;
    const QString mode = root.value(QLatin1String(kMode)).toString();
    doc.shown = mode == QLatin1String(kFreePart) ? Mode::FreeLayout
        : mode == QLatin1String(kSerialPart)     ? Mode::Serial
                                                 : Mode::Template;
    doc.templateCollage = reader.templateCollage(root);
    doc.freeCollage = reader.freeCollage(root);
    doc.serialCollage = reader.serialCollage(root);
    result.autosaveOf = reader.path(root, kAutosaveOf, QString());
    if (reader.failed()) {
        result.error = reader.error();
        result.autosaveOf.clear();
        return result;
    }
    result.document = std::move(doc);
    return result;
}

DocumentReadResult readCollageDocumentFile(const QString& path)
{
    DocumentReadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("no such file");
        return result;
    }
    // Only plain files: a device or a pipe could be read forever.
    if (!info.isFile()) {
        result.error = QStringLiteral("not a file");
        return result;
    }
    if (info.size() > documentlimits::kMaxBytes) {
        result.error = QStringLiteral("larger than %1 MB").arg(documentlimits::kMaxBytes >> 20);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.read(documentlimits::kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    return readCollageDocument(bytes, info.absolutePath());
}
