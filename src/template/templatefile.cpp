#include "templatefile.h"

#include "kit/logging.h"
#include "kit/numbers.h"
#include "kit/userfile.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QFileInfo>
#include <QStringDecoder>

namespace {

// A field read as a finite number, or nothing.
std::optional<double> finiteNumber(QStringView field)
{
    const float v = kit::floatValue(field);
    if (!std::isfinite(v))
        return std::nullopt;
    return double(v);
}

// Every field as a number; nothing when one is not finite or the count is odd
// (the numbers are read as points).
std::optional<std::vector<double>> numberPairs(QStringView text)
{
    const QList<QStringView> fields = text.split(u',');
    if (fields.size() % 2 != 0)
        return std::nullopt;
    std::vector<double> numbers;
    numbers.reserve(fields.size());
    for (QStringView f : fields) {
        const std::optional<double> v = finiteNumber(f);
        if (!v)
            return std::nullopt;
        numbers.push_back(*v);
    }
    return numbers;
}

std::optional<CellData> polygonData(QStringView shape)
{
    if (shape == u"*")
        return CellData(std::vector<double> { 0, 0, 1, 0, 1, 1, 0, 1 });
    std::optional<std::vector<double>> numbers = numberPairs(shape);
    if (!numbers)
        return std::nullopt;
    return CellData(std::move(*numbers));
}

std::optional<CellData> curveData(QStringView shape)
{
    std::vector<std::vector<double>> segments;
    bool started = false; // a segment of 8 or 4 numbers has set a current point
    for (QStringView piece : shape.split(u'|')) {
        std::optional<std::vector<double>> numbers = numberPairs(piece);
        if (!numbers)
            return std::nullopt;
        const size_t n = numbers->size();
        if (n == 8 || n == 4)
            started = true;
        else if ((n == 6 || n == 2) && !started)
            return std::nullopt;
        segments.push_back(std::move(*numbers));
    }
    return CellData(std::move(segments));
}

std::optional<CellData> textData(QStringView shape, float* degree)
{
    const QList<QStringView> fields = shape.split(u',');
    if (fields.size() != 3 && fields.size() != 6)
        return std::nullopt;
    QStringList strings;
    for (QStringView f : fields)
        strings.append(f.toString());
    *degree = 0;
    if (fields.size() == 6) {
        // dx and dy are kept as strings but must read as finite numbers.
        for (int i = 3; i < 6; ++i)
            if (!finiteNumber(fields[i]))
                return std::nullopt;
        *degree = kit::floatValue(fields[5]);
    }
    return CellData(std::move(strings));
}

// Off while a file is only checked (templateFileProblem); the readers run
// on worker threads too, so the switch is per thread.
thread_local bool t_quiet = false;

void logLine(const QString& line)
{
    if (!t_quiet)
        kit::log(kit::lcTemplate(), line);
}

TemplateReadResult failure(TemplateReadError error)
{
    return { std::nullopt, error };
}

// Strict UTF-8 decoding; nothing when the bytes are not valid UTF-8.
std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The whole file as UTF-8 text, or nothing with the reason in `error`.
std::optional<QString> readUtf8File(const QString& path, QString* error)
{
    const std::optional<QByteArray> bytes = kit::readUserFile(path, kMaxTemplateFileBytes, error);
    if (!bytes)
        return std::nullopt;
    std::optional<QString> text = decodeUtf8(*bytes);
    if (!text)
        *error = QStringLiteral("The text is not valid UTF-8.");
    return text;
}

// The lines of a template; a carriage return before a line feed belongs to
// the line ending, so files saved with CRLF endings read as LF files do.
QList<QStringView> templateLines(QStringView text)
{
    QList<QStringView> lines = text.split(u'\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].endsWith(u'\r'))
            lines[i].chop(1);
    }
    return lines;
}

} // namespace

std::optional<CellRecord> parseCellLine(QStringView line)
{
    const QList<QStringView> parts = line.split(u':');
    if (parts.size() != 3)
        return std::nullopt;

    const QList<QStringView> frame = parts[0].split(u',');
    if (frame.size() != 4)
        return std::nullopt;
    double r[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> v = finiteNumber(frame[i]);
        if (!v)
            return std::nullopt;
        r[i] = *v;
    }

    CellRecord record;
    record.rect = kit::Rect(r[0], r[1], r[2], r[3]);

    const QList<QStringView> style = parts[1].split(u',');
    const QStringView kind = style[0];
    const QStringView shape = parts[2];
    std::optional<CellData> data;
    if (kind == u"L") {
        record.maskMode = MaskMode::Polygon;
        data = polygonData(shape);
    } else if (kind == u"B") {
        record.maskMode = MaskMode::Curves;
        data = curveData(shape);
    } else if (kind == u"T") {
        record.maskMode = MaskMode::Text;
        data = textData(shape, &record.degree);
    }
    if (!data)
        return std::nullopt;

    if (style.size() == 2 || style.size() == 5) {
        const std::optional<double> width = finiteNumber(style[1]);
        if (!width)
            return std::nullopt;
        record.borderSize = float(*width);
        record.isBordered = true;
        if (style.size() == 2) {
            record.borderColor = QColor::fromRgbF(1, 1, 1, 1);
        } else {
            float channel[3];
            for (int i = 0; i < 3; ++i) {
                const std::optional<double> v = finiteNumber(style[2 + i]);
                if (!v)
                    return std::nullopt;
                // Channels are 0 to 255; others are clamped so the colour
                // stays an ordinary one.
                channel[i] = std::clamp(float(*v) / 255.0f, 0.0f, 1.0f);
            }
            record.borderColor = QColor::fromRgbF(channel[0], channel[1], channel[2], 1);
        }
    }

    record.data = std::move(*data);
    return record;
}

TemplateReadResult readTemplateFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        logLine(QStringLiteral("Template path '%1' not exists.").arg(path));
        return failure(TemplateReadError::Missing);
    }
    QString error;
    const std::optional<QString> text = readUtf8File(path, &error);
    if (!text) {
        logLine(QStringLiteral("Reading resource file from '%1' failed! %2").arg(path, error));
        return failure(TemplateReadError::Unreadable);
    }
    return readTemplateText(*text);
}

TemplateReadResult readTemplateText(QStringView text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1);
    const QList<QStringView> lines = templateLines(text);
    if (lines.size() <= 1) {
        logLine(QStringLiteral("Invalid resource file format."));
        return failure(TemplateReadError::NoLineFeed);
    }

    const QList<QStringView> dims = lines[0].split(u',');
    std::optional<double> width, height;
    if (dims.size() == 2 || dims.size() == 3) {
        width = finiteNumber(dims[0]);
        height = finiteNumber(dims[1]);
    }
    // A size that is zero, negative or not finite gives the canvas no ratio
    // to lay out with; such a line is as malformed as a wrong field count.
    if (!width || !height || *width <= 0 || *height <= 0) {
        logLine(QStringLiteral("Invalid resouce dim format.[%1]").arg(lines[0]));
        return failure(TemplateReadError::BadDimensions);
    }

    TemplateFile file;
    file.text = text.toString();
    file.frameSize = kit::Size(*width, *height);
    // A one-byte flag: the low byte of the integer decides.
    file.ratioLocked = dims.size() == 3 && (kit::integerValue(dims[2]) & 0xff) != 0;

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        if (line.size() < 2 || line.startsWith(u';'))
            continue;
        std::optional<CellRecord> cell = parseCellLine(line);
        if (!cell) {
            logLine(QStringLiteral("Loading resource from [%1] failed!").arg(line));
            continue;
        }
        file.cells.emplace_back(int(std::min<qsizetype>(i, INT_MAX)), std::move(*cell));
    }
    return { std::move(file), std::nullopt };
}

QString templateFileProblem(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QStringLiteral("not a file");
    QString error;
    const std::optional<QString> text = readUtf8File(path, &error);
    if (!text)
        return error;
    t_quiet = true;
    const TemplateReadResult result = readTemplateText(*text);
    t_quiet = false;
    if (!result.ok())
        return result.error == TemplateReadError::NoLineFeed
            ? QStringLiteral("not a template (a single line)")
            : QStringLiteral("not a template (no size line)");
    if (result.file->cells.empty())
        return QStringLiteral("no cell can be read");
    return {};
}

int templateCellCountOfText(QStringView text)
{
    int count = 0;
    for (QStringView line : templateLines(text))
        if (line.size() >= 3 && !line.startsWith(u';'))
            ++count;
    return std::min(count - 1, 9);
}

int templateCellCount(const QString& path)
{
    QString error;
    const std::optional<QString> text = readUtf8File(path, &error);
    return text ? templateCellCountOfText(*text) : 0;
}
