#include "text/kltextview.h"
#include "text/stylefile.h"
#include "text/stylelibrary.h"
#include "text/textstyle.h"

#include "kit/defaults.h"
#include "kit/folders.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using testsupport::writeFile;

namespace {

QByteArray plistOf(const QByteArray& entries)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + entries
        + "</dict></plist>\n";
}

class StyleFileTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        kit::Defaults::standard().remove(QLatin1String(kStyleNamePreference));
        kit::Folders::removeItem(userStylesFolder(false));
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(StyleFileTest, CaptionLookSurvivesTheFileWithTruncatedIntegers)
{
    KLTextView caption({ 0, 0, 300, 100 });
    caption.setSize({ 3, 0.25 });
    caption.applyStyleWithDictionary(factoryTextStyle());
    caption._setText(QString());
    caption._setTextColor(QColor::fromRgbF(0.2f, 0.4f, 0.6f, 0.5f));
    caption._setStrokeColor(QColor(Qt::red));
    caption._setStrokeWidth(2.7);
    caption._setDropShadow(true);
    caption._setShadowDegree(359.9);
    caption._setShadowOffset(-3.5);
    caption._setOpacity(37.5);
    const QString path = m_dir.filePath("look.style");
    ASSERT_TRUE(caption.saveStyle(path));
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath("look.png")));

    const std::optional<TextStyle> read = readStyleFile(path);
    ASSERT_TRUE(read);
    // An empty text is stored, not left out.
    EXPECT_EQ(read->text, QString(""));
    EXPECT_EQ(read->strokeWidth, 2);
    EXPECT_EQ(read->shadowDegree, 359);
    EXPECT_EQ(read->shadowOffset, -3);
    EXPECT_EQ(read->opacity, 37.5);
    EXPECT_FLOAT_EQ(read->height, 0.25f);
    ASSERT_TRUE(read->fontColor);
    EXPECT_NEAR(read->fontColor->alphaF(), 0.5, 1e-4);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<key>TextStrokeWidth</key>\n\t\t<integer>2</integer>"));
    EXPECT_TRUE(text.contains("<key>TextOpacity</key>\n\t\t<real>37.5</real>"));
}

TEST_F(StyleFileTest, NumbersOfEitherKindAndAbsentKeys)
{
    const auto style =
        styleFromPropertyList(plistOf("<key>TextFontSize</key><integer>20</integer>"
                                      "<key>TextStrokeWidth</key><real>3.5</real>"
                                      "<key>TextShadow</key><true/>"
                                      "<key>TextShadowColor</key><data>AAAA/w==</data>"
                                      "<key>TextFontColor</key><string>red</string>"
                                      "<key>TextString</key><string>a &amp; b</string>"
                                      "<key>Extra</key><array><integer>1</integer></array>"));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->fontSize, 20);
    EXPECT_EQ(style->strokeWidth, 3.5);
    EXPECT_TRUE(style->shadow);
    EXPECT_EQ(style->shadowColor, QColor(0, 0, 0, 255));
    EXPECT_FALSE(style->fontColor); // a colour must be data
    EXPECT_EQ(style->text, QString("a & b"));
    EXPECT_EQ(style->opacity, 0);
    EXPECT_EQ(style->shadowDegree, 0);
}

TEST_F(StyleFileTest, MalformedHugeAndHostileFilesAreIgnored)
{
    const QByteArray bomb =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;\">]>"
        "<plist><dict><key>TextString</key><string>&c;&c;&c;&c;</string></dict></plist>";
    QByteArray deep = "<plist><dict><key>x</key>";
    for (int i = 0; i < 100; ++i)
        deep += "<array>";
    QByteArray manyKeys = "<plist><dict>";
    for (int i = 0; i < 1000; ++i)
        manyKeys += "<key>k" + QByteArray::number(i) + "</key><integer>1</integer>";
    manyKeys += "</dict></plist>";
    const struct
    {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        { "empty", "" },
        { "binary", QByteArray("\x00\xff\x10garbage", 10) },
        { "not xml", "TextFontSize = 12" },
        { "array root", "<plist><array><string>x</string></array></plist>" },
        { "other root", "<html><dict></dict></html>" },
        { "unclosed", "<plist><dict><key>TextFontSize</key><real>12</real>" },
        { "bad real", plistOf("<key>TextFontSize</key><real>twelve</real>") },
        { "bad base64", plistOf("<key>TextFontColor</key><data>@@@@</data>") },
        { "value without key", plistOf("<real>1</real>") },
        { "entity expansion", bomb },
        { "deep nesting", deep },
        { "too many keys", manyKeys },
        { "huge",
          plistOf("<key>TextString</key><string>" + QByteArray(300 * 1024, 'x') + "</string>") },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writeFile(m_dir.filePath(QString("%1.style").arg(c.name)), c.bytes);
        EXPECT_FALSE(readStyleFile(path));
        KLTextView caption({ 0, 0, 300, 100 });
        caption.applyStyleWithDictionary(factoryTextStyle());
        const TextStyle before = caption.styleRecord();
        EXPECT_FALSE(caption.applyStyle(path));
        EXPECT_EQ(caption.styleRecord(), before);
    }
    EXPECT_FALSE(readStyleFile(m_dir.filePath("missing.style")));
}

TEST_F(StyleFileTest, ColourArchive)
{
    const QColor colours[] = { Qt::black, Qt::transparent,
                               QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.4f) };
    for (const QColor& c : colours) {
        const QByteArray data = archiveColor(c);
        EXPECT_EQ(data.size(), 16);
        EXPECT_EQ(unarchiveColor(data), c);
    }
    EXPECT_EQ(archiveColor(Qt::red).toHex(), QByteArray("3f80000000000000000000003f800000"));
    EXPECT_FALSE(unarchiveColor(QByteArray(15, 0)));
    EXPECT_FALSE(unarchiveColor(QByteArray::fromHex("7fc00000000000000000000000000000")));
}

TEST_F(StyleFileTest, DefaultStyleComesOnlyFromTheUserFolder)
{
    kit::Defaults& defaults = kit::Defaults::standard();
    EXPECT_EQ(defaultTextStyle(), factoryTextStyle());

    // A shipped style's name alone does not count.
    const std::vector<StyleEntry> shipped = stylesInFolder(shippedStylesFolder(), kShippedStyleTag);
    ASSERT_FALSE(shipped.empty());
    defaults.set(QLatin1String(kStyleNamePreference), shipped.front().title);
    EXPECT_EQ(defaultTextStyle(), factoryTextStyle());

    // A user style in a subfolder is named with the subfolder.
    TextStyle mine = factoryTextStyle();
    mine.fontSize = 30;
    ASSERT_TRUE(writeStyleFile(writeFile(userStylesFolder(true) + "/sub/mine.style", {}), mine));
    const std::vector<StyleEntry> user = stylesInFolder(userStylesFolder(false), kUserStyleTag);
    ASSERT_EQ(user.size(), 1u);
    EXPECT_EQ(user[0].title, QString("sub/mine"));
    EXPECT_EQ(user[0].tag, 1000);
    defaults.set(QLatin1String(kStyleNamePreference), QString("sub/mine"));
    EXPECT_EQ(defaultTextStyle().fontSize, 30);

    KLTextView caption({ 0, 0, 300, 100 });
    caption.chooseStyle(user[0]);
    EXPECT_EQ(caption.font()->pointSizeF(), 30);
}
