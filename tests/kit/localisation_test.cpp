#include "kit/localisation.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

using kit::Localisation;
using kit::localized;

namespace {

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
