#include "kit/folders.h"
#include "kit/localisation.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <map>

#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>

using kit::Localisation;
using kit::localized;

namespace {

// id -> translation of one .ts table.
std::map<QString, QString> readTable(const QString& path)
{
    std::map<QString, QString> table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    QXmlStreamReader xml(&file);
    QString id;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"message")
            id = xml.attributes().value("id").toString();
        else if (xml.name() == u"translation")
            table[id] = xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return table;
}

class LocalisationTest : public ::testing::Test
{
protected:
    void TearDown() override { Localisation::install(*QCoreApplication::instance(), QLocale::c()); }
};

} // namespace

TEST_F(LocalisationTest, EnglishAndSimplifiedChineseTexts)
{
    QCoreApplication& app = *QCoreApplication::instance();
    EXPECT_EQ(Localisation::install(app, QLocale(QLocale::English, QLocale::UnitedStates)), "en");
    EXPECT_EQ(localized("WARNING_TITLE"), "Warning");

    EXPECT_EQ(Localisation::install(app, QLocale(QLocale::Chinese, QLocale::China)), "zh_CN");
    EXPECT_EQ(localized("WARNING_TITLE"), QString::fromUtf8("警告"));
    EXPECT_EQ(localized("BUTTON_NO"), QString::fromUtf8("否"));

    // A language without a table shows English.
    EXPECT_EQ(Localisation::install(app, QLocale(QLocale::German, QLocale::Germany)), "en");
    EXPECT_EQ(localized("BUTTON_YES"), "Yes");
    EXPECT_EQ(localized("NO_SUCH_KEY"), "NO_SUCH_KEY");
}

TEST_F(LocalisationTest, KeysMissingFromTheLanguageFallBackToEnglish)
{
    // A table in the resource folder takes precedence over the built-in one;
    // this one holds a single key.
    qputenv("TESSERA_RESOURCES", testsupport::dataPath("partial-resources").toUtf8());
    const QString language = Localisation::install(*QCoreApplication::instance(), QLocale("zh_CN"));
    qputenv("TESSERA_RESOURCES", TESSERA_SOURCE_RESOURCES);
    EXPECT_EQ(language, "zh_CN");
    EXPECT_EQ(localized("BUTTON_OK"), QString::fromUtf8("好的"));
    EXPECT_EQ(localized("WARNING_TITLE"), "Warning");
}

TEST_F(LocalisationTest, TablesAgreeKeyForKey)
{
    const auto en = readTable(kit::Folders::resourcePath("translations/tessera_en.ts"));
    const auto zh = readTable(kit::Folders::resourcePath("translations/tessera_zh_CN.ts"));
    ASSERT_GT(en.size(), 40u);
    ASSERT_EQ(en.size(), zh.size());

    Localisation::install(*QCoreApplication::instance(), QLocale::c());
    for (const auto& [id, english] : en) {
        SCOPED_TRACE(id.toStdString());
        ASSERT_TRUE(zh.count(id));
        const QString& chinese = zh.at(id);
        // Both texts take the same values.
        EXPECT_EQ(english.count(u"%1"), chinese.count(u"%1"));
        EXPECT_EQ(english.count(u'%'), english.count(u"%1"));
        // The compiled table is the source table.
        EXPECT_EQ(localized(id), english);
    }
    // The default style entry is titled with one key and recognised by the
    // other; they must read alike or choosing it would do nothing.
    EXPECT_EQ(en.at("DEFAULT_TEXT_STYLE"), en.at("DEFAULT_STYLE_TEXT"));
    EXPECT_EQ(zh.at("DEFAULT_TEXT_STYLE"), zh.at("DEFAULT_STYLE_TEXT"));
}
