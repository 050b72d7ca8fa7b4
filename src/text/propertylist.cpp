#include "propertylist.h"

#include <charconv>

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace plist {

namespace {

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Reads the text of the current element and leaves the reader on its end
// element; false when it holds child elements or is too long.
bool readText(QXmlStreamReader& xml, QString& out, QString* error)
{
    out = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (xml.hasError())
        return fail(error, QStringLiteral("unexpected element inside a value"));
    if (out.size() > kMaxTextLength)
        return fail(error, QStringLiteral("a value is too long"));
    return true;
}

// A real as property lists write it; nothing for text that is not a number.
std::optional<double> parseReal(QStringView text)
{
    const QString t = text.trimmed().toString();
    if (t.compare(u"nan", Qt::CaseInsensitive) == 0)
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok); // the C locale: a decimal point
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<qint64> parseInteger(QStringView text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

// Skips the current element and everything inside it, refusing nesting
// deeper than the limit.
bool skipElement(QXmlStreamReader& xml, int depth, QString* error)
{
    int level = 1;
    while (level > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (depth + ++level > kMaxDepth)
                return fail(error, QStringLiteral("nested too deeply"));
        } else if (xml.isEndElement()) {
            --level;
        }
    }
    return !xml.hasError() || fail(error, xml.errorString());
}

// Reads one value element; false for a malformed value. `skipped` is set for
// the kinds of value the reader leaves out.
bool readValue(QXmlStreamReader& xml, QVariant& value, bool& skipped, QString* error)
{
    const QStringView name = xml.name();
    skipped = false;
    QString text;
    if (name == u"string") {
        if (!readText(xml, text, error))
            return false;
        value = text;
    } else if (name == u"real") {
        if (!readText(xml, text, error))
            return false;
        const std::optional<double> v = parseReal(text);
        if (!v)
            return fail(error, QStringLiteral("'%1' is not a real number").arg(text.left(40)));
        value = *v;
    } else if (name == u"integer") {
        if (!readText(xml, text, error))
            return false;
        const std::optional<qint64> v = parseInteger(text);
        if (!v)
            return fail(error, QStringLiteral("'%1' is not an integer").arg(text.left(40)));
        value = *v;
    } else if (name == u"true" || name == u"false") {
        const bool on = name == u"true";
        if (!readText(xml, text, error))
            return false;
        value = on;
    } else if (name == u"data") {
        if (!readText(xml, text, error))
            return false;
        QString compact = text;
        compact.remove(QLatin1Char(' '))
            .remove(QLatin1Char('\n'))
            .remove(QLatin1Char('\t'))
            .remove(QLatin1Char('\r'));
        const auto decoded = QByteArray::fromBase64Encoding(
            compact.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return fail(error, QStringLiteral("a data value is not base64"));
        value = *decoded;
    } else if (name == u"array" || name == u"dict" || name == u"date") {
        skipped = true;
        return skipElement(xml, 2, error);
    } else {
        return fail(error, QStringLiteral("unknown element <%1>").arg(name.left(40)));
    }
    return true;
}

} // namespace

std::optional<QVariantMap> readDictionary(const QByteArray& bytes, QString* error)
{
    QXmlStreamReader xml(bytes);
    // Entities could only be declared to make a small file expand; a style
    // file has no use for them.
    xml.setEntityExpansionLimit(0);
    QVariantMap map;
    int keys = 0;
    bool sawPlist = false, sawDict = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isDTD() && !xml.entityDeclarations().isEmpty()) {
            fail(error, QStringLiteral("declares entities"));
            return std::nullopt;
        }
        if (!xml.isStartElement())
            continue;
        if (!sawPlist) {
            if (xml.name() != u"plist") {
                fail(error, QStringLiteral("not a property list"));
                return std::nullopt;
            }
            sawPlist = true;
            continue;
        }
        if (xml.name() != u"dict") {
            fail(error, QStringLiteral("the root is not a dictionary"));
            return std::nullopt;
        }
        sawDict = true;
        // Key and value pairs up to the dictionary's end.
        while (xml.readNextStartElement()) {
            if (xml.name() != u"key") {
                fail(error, QStringLiteral("a value without a key"));
                return std::nullopt;
            }
            QString key;
            if (!readText(xml, key, error))
                return std::nullopt;
            if (++keys > kMaxKeys) {
                fail(error, QStringLiteral("too many keys"));
                return std::nullopt;
            }
            if (!xml.readNextStartElement()) {
                fail(error, QStringLiteral("key '%1' has no value").arg(key.left(40)));
                return std::nullopt;
            }
            QVariant value;
            bool skipped = false;
            if (!readValue(xml, value, skipped, error))
                return std::nullopt;
            if (!skipped)
                map.insert(key, value);
        }
        break;
    }
    if (xml.hasError()) {
        fail(error, xml.errorString());
        return std::nullopt;
    }
    if (!sawDict) {
        fail(error,
             sawPlist ? QStringLiteral("the root is not a dictionary")
                      : QStringLiteral("not a property list"));
        return std::nullopt;
    }
    return map;
}

QByteArray writeDictionary(const std::vector<std::pair<QString, QVariant>>& entries)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(-1); // one tab, as property lists are usually written
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">"));
    xml.writeStartElement(QStringLiteral("plist"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("dict"));
    for (const auto& [key, value] : entries) {
        switch (value.typeId()) {
        case QMetaType::QString:
            xml.writeTextElement(QStringLiteral("key"), key);
            xml.writeTextElement(QStringLiteral("string"), value.toString());
            break;
        case QMetaType::Double:
        case QMetaType::Float: {
            char buffer[32];
            const float f = float(value.toDouble());
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, f);
            xml.writeTextElement(QStringLiteral("key"), key);
            xml.writeTextElement(QStringLiteral("real"),
                                 QString::fromLatin1(buffer, result.ptr - buffer));
            break;
        }
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            xml.writeTextElement(QStringLiteral("key"), key);
            xml.writeTextElement(QStringLiteral("integer"), QString::number(value.toLongLong()));
            break;
        case QMetaType::Bool:
            xml.writeTextElement(QStringLiteral("key"), key);
            xml.writeEmptyElement(value.toBool() ? QStringLiteral("true")
                                                 : QStringLiteral("false"));
            break;
        case QMetaType::QByteArray:
            xml.writeTextElement(QStringLiteral("key"), key);
            xml.writeTextElement(QStringLiteral("data"),
                                 QString::fromLatin1(value.toByteArray().toBase64()));
            break;
        default:
            break;
        }
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    out.append('\n');
    return out;
}

} // namespace plist
