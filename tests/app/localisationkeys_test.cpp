// Every localisation key that the program's sources name has a finished
// text in every language table, so no one sees a raw key or an English text
// in a translated interface.

#include "kit/localisation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

const QString kSources = QStringLiteral(TESSERA_SOURCE_RESOURCES "/../src");
const QString kTables = QStringLiteral(TESSERA_SOURCE_RESOURCES "/translations");

// Keys whose value is a name rather than a text (a font family), the same in
// every language.
const std::set<QString> kNamesNotTexts { QStringLiteral("DEFAULT_TEXT_FONT") };

// Literals of the key shape that are environment variables, not keys.
const QStringList kNotKeyPrefixes { QStringLiteral("TESSERA_"), QStringLiteral("QT_"),
                                    QStringLiteral("XDG_") };

struct Entry
{
    QString text;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

std::map<QString, Entry> readTable(const QString& path)
{
    std::map<QString, Entry> table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return table;
    }
    QXmlStreamReader xml(&file);
    QString id;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"message") {
            id = xml.attributes().value("id").toString();
        } else if (xml.name() == u"translation") {
            Entry entry;
            entry.type = xml.attributes().value("type").toString();
            entry.text = xml.readElementText();
            table[id] = entry;
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return table;
}

// Key -> the first source file that names it.
std::map<QString, QString> keysInSources()
{
    static const QRegularExpression literal(
        QStringLiteral(R"re("([A-Z][A-Z0-9]*(?:_[A-Z0-9]+)+|CFBundleDisplayName)")re"));
    std::map<QString, QString> keys;
    QDirIterator it(kSources, { QStringLiteral("*.cpp"), QStringLiteral("*.h") }, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString code = QString::fromUtf8(file.readAll());
        for (const auto& match : literal.globalMatch(code)) {
            const QString key = match.captured(1);
            const bool environment =
                std::any_of(kNotKeyPrefixes.begin(), kNotKeyPrefixes.end(),
                            [&](const QString& p) { return key.startsWith(p); });
            if (!environment)
                keys.emplace(key, QDir(kSources).relativeFilePath(path));
        }
    }
    return keys;
}

bool hasWords(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    return word.match(text).hasMatch();
}

} // namespace

TEST(LocalisationKeys, EveryKeyIsTranslatedInEveryLanguage)
{
    const auto english = readTable(kTables + QStringLiteral("/tessera_en.ts"));
    const QStringList tables = QDir(kTables).entryList({ QStringLiteral("tessera_*.ts") });
    ASSERT_GE(tables.size(), 2) << "no translation tables in " << kTables.toStdString();
    const auto used = keysInSources();
    ASSERT_GT(used.size(), 40u) << "the source scan found almost no keys";
    kit::Localisation::install(*QCoreApplication::instance(), QLocale::c());

    for (const QString& name : tables) {
        const QString language = QFileInfo(name).completeBaseName().mid(8); // after "tessera_"
        SCOPED_TRACE(language.toStdString());
        const auto table = readTable(kTables + u'/' + name);
        for (const auto& [key, file] : used) {
            EXPECT_TRUE(table.count(key))
                << "key " << key.toStdString() << ", used in " << file.toStdString();
        }
        // The default style entry is titled with one key and recognised by the
        // other; they must read alike or choosing it would do nothing.
        EXPECT_EQ(table.at("DEFAULT_TEXT_STYLE").text, table.at("DEFAULT_STYLE_TEXT").text);
        for (const auto& [key, entry] : table) {
            SCOPED_TRACE(key.toStdString());
            EXPECT_FALSE(entry.text.trimmed().isEmpty());
            EXPECT_TRUE(entry.type.isEmpty()) << "marked " << entry.type.toStdString();
            const auto source = english.find(key);
            ASSERT_TRUE(source != english.end()) << "missing from English";
            // Both texts take the same values.
            EXPECT_EQ(entry.text.count(u"%1"), source->second.text.count(u"%1"));
            if (language == u"en") {
                EXPECT_EQ(entry.text.count(u'%'), entry.text.count(u"%1"));
                EXPECT_EQ(kit::localized(key), entry.text) << "the compiled table is stale";
            } else if (!kNamesNotTexts.count(key)) {
                EXPECT_FALSE(entry.text == source->second.text && hasWords(entry.text))
                    << "untranslated: \"" << entry.text.toStdString()
                    << "\" (list a name such as a font family in kNamesNotTexts)";
            }
        }
    }
}
