#include "app/freelayoutrender.h"
#include "app/rendercommand.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextStream>

using testsupport::sameColor;

TEST(FreeLayoutRender, PhotoPlacements)
{
    const struct
    {
        QString argument;
        QString file;
        kit::Point at;
        float scale;
        double degrees;
    } cases[] = {
        { "a.png", "a.png", { 0.5, 0.5 }, 0.5f, 0 },
        { "a.png@0.2,0.3,0.25,-15", "a.png", { 0.2, 0.3 }, 0.25f, -15 },
        { "p.jpg@0.5", "p.jpg@0.5", { 0.5, 0.5 }, 0.5f, 0 }, // one number is no list
    };
    for (const auto& c : cases) {
        const auto parsed = parseFreePhoto(c.argument);
        ASSERT_TRUE(std::holds_alternative<FreePhoto>(parsed)) << c.argument.toStdString();
        const FreePhoto& p = std::get<FreePhoto>(parsed);
        EXPECT_EQ(p.file, c.file);
        EXPECT_EQ(p.at, c.at) << c.argument.toStdString();
        EXPECT_FLOAT_EQ(p.scale, c.scale);
        EXPECT_DOUBLE_EQ(p.degrees, c.degrees);
    }
    for (const QString bad : { "a.png@0.5,0.5,0", "a.png@0.5,0.5,-1", "a.png@inf,0.5", "@0.5,0.5" })
        EXPECT_TRUE(std::holds_alternative<QString>(parseFreePhoto(bad))) << bad.toStdString();
}

TEST(FreeLayoutRender, OneCommandAtTwoSizesGivesOnePicture)
{
    QTemporaryDir dir;
    auto photo = [&](const char* name, QColor c) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(testsupport::writeImage(testsupport::solidImage({ 80, 60 }, c), path));
        return path;
    };
    const QStringList photos = { "--photo", photo("red.png", Qt::red) + "@0.25,0.25,0.3", "--photo",
                                 photo("blue.png", Qt::blue) + "@0.7,0.7,0.4,45" };
    auto render = [&](const QStringList& extra, const QString& out) {
        QString messages;
        QTextStream err(&messages);
        const int status = renderMain(
            QStringList { "--mode", "free", "--ratio", "3:2", "--no-shadow", "--output", out }
                + photos + extra,
            err);
        EXPECT_EQ(status, RenderOk) << messages.toStdString();
        return QImage(out);
    };
    const QImage small = render({ "--width", "600" }, dir.filePath("small.png"));
    const QImage large = render({ "--width", "1800" }, dir.filePath("large.png"));
    ASSERT_EQ(small.size(), QSize(600, 400));
    ASSERT_EQ(large.size(), QSize(1800, 1200));

    // X and Y from the top-left corner of the container (inset 4), as read.
    for (const QImage& image : { small, large }) {
        const double w = image.width() - 8, h = image.height() - 8;
        EXPECT_TRUE(sameColor(image.pixelColor(int(4 + 0.25 * w), int(4 + 0.25 * h)), Qt::red));
        EXPECT_TRUE(sameColor(image.pixelColor(int(4 + 0.7 * w), int(4 + 0.7 * h)), Qt::blue));
        // Turned by 45 degrees, the photo reaches further along the axes
        // than it would upright (0.2 of the width to the right, 0.135 up).
        EXPECT_TRUE(sameColor(image.pixelColor(int(4 + 0.92 * w), int(4 + 0.7 * h)), Qt::blue));
        EXPECT_TRUE(
            sameColor(image.pixelColor(int(4 + 0.7 * w), int(4 + 0.7 * h - 0.17 * w)), Qt::blue));
    }
}

TEST(FreeLayoutRender, BadInputFailsAndWritesNothing)
{
    QTemporaryDir dir;
    const QString existing = testsupport::writeFile(dir.filePath("keep.png"), "precious");
    const QString goodPath = dir.filePath("good.png");
    ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage({ 20, 20 }, Qt::green), goodPath));
    QFile keep(existing);
    const struct
    {
        QStringList args;
        QString named;
        int status;
    } cases[] = {
        { { "--photo", goodPath, "--photo", dir.filePath("gone.jpg") + "@0.5,0.5" },
          "gone.jpg",
          RenderFailed },
        { { "--photo", goodPath + "@0.5,0.5,20" }, "scale", RenderUsage },
        { { "--template", goodPath }, "--template", RenderUsage },
    };
    for (const auto& c : cases) {
        QString messages;
        QTextStream err(&messages);
        EXPECT_EQ(renderMain(QStringList { "--mode", "free", "--output", existing } + c.args, err),
                  c.status);
        err.flush();
        EXPECT_TRUE(messages.contains(c.named)) << messages.toStdString();
        ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
        EXPECT_EQ(keep.readAll(), QByteArray("precious"));
        keep.close();
    }
}
