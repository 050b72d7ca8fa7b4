#include "chrome/namedimage.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// Counts the pixels that are mostly opaque, and their mean colour.
struct Ink
{
    int count = 0;
    QColor mean;
};

Ink inkOf(const QIcon& icon)
{
    const QImage image =
        icon.pixmap(QSize(48, 48)).toImage().convertToFormat(QImage::Format_ARGB32);
    Ink ink;
    long r = 0, g = 0, b = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128) {
                ++ink.count;
                r += c.red();
                g += c.green();
                b += c.blue();
            }
        }
    }
    if (ink.count > 0)
        ink.mean = QColor(int(r / ink.count), int(g / ink.count), int(b / ink.count));
    return ink;
}

TEST(NamedImage, EveryImageOfTheApplicationDraws)
{
    for (const char* name : { "text", "Frame", "photo", "border", "tessera" })
        EXPECT_GT(inkOf(chrome::namedImage(QString::fromLatin1(name))).count, 40) << name;
    // A -selected variant is drawn in the accent: bluer than its plain twin.
    for (const char* name : { "framelayout", "freelayout", "seriallayout" }) {
        const Ink plain = inkOf(chrome::namedImage(QString::fromLatin1(name)));
        const Ink selected = inkOf(chrome::namedImage(QString::fromLatin1(name) + "-selected"));
        EXPECT_GT(plain.count, 40) << name;
        EXPECT_GT(selected.count, 40) << name;
        EXPECT_GT(selected.mean.blue() - selected.mean.red(),
                  plain.mean.blue() - plain.mean.red() + 60)
            << name;
    }
}

TEST(NamedImage, RefusesUnknownAndEscapingNames)
{
    for (const char* name :
         { "", "no-such-image", "../images/text", "/etc/hostname", ".hidden", "images\\text" }) {
        EXPECT_TRUE(chrome::namedImage(QString::fromLatin1(name)).isNull()) << name;
        EXPECT_TRUE(chrome::namedImagePath(QString::fromLatin1(name)).isEmpty()) << name;
    }
    EXPECT_TRUE(chrome::namedImagePath(QStringLiteral("text.svg")).endsWith("images/text.svg"));
}

} // namespace
