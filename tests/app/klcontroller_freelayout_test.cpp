#include "controllerfixture.h"

#include "freelayout/klfreelayoutitem.h"
#include "support/testsupport.h"

#include <QImageReader>

using testsupport::pixelYUp;
using testsupport::sameColor;

TEST_F(ControllerTest, FreeLayoutTakesAddedPhotosAndExportsThem)
{
    KLController& c = start();
    c.selectView(101);
    KLFreeLayoutView* canvas = c.layoutView();
    QStringList files;
    for (QColor colour : { QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue) }) {
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(colour);
        files.append(m_dir.filePath(colour.name().mid(1) + ".png"));
        image.save(files.back());
    }
    files.insert(1, m_dir.filePath("missing.jpg"));
    m_dialogs->filesToChoose = { files };
    c.addPhotos();

    // Every readable photo becomes a print, each one further right and down;
    // the unreadable one is named.
    ASSERT_EQ(canvas->items().size(), 3u);
    const kit::Size area = canvas->boundView()->bounds().size;
    EXPECT_NEAR(canvas->items()[0]->frame().midX(), area.width / 2, 1e-6);
    EXPECT_NEAR(canvas->items()[2]->frame().midX(), area.width * 0.56, 1e-6);
    EXPECT_NEAR(canvas->items()[2]->frame().midY(), area.height * 0.44, 1e-6);
    EXPECT_TRUE(c.window()->message().contains("missing.jpg"));
    EXPECT_TRUE(canvas->items().back()->isFirstResponder());

    // The export renders this canvas at the output size, without selection marks.
    const QString path = m_dir.filePath("free.png");
    ExportChoice choice;
    choice.path = path;
    choice.format = kit::ImageFormat::Png;
    choice.sizeType = 2;
    choice.outputSize = { 1024, 1024 };
    m_dialogs->exportChoice = choice;
    const kit::Rect frame = canvas->frame();
    c.saveCanvas();
    EXPECT_EQ(canvas->frame(), frame);
    EXPECT_FALSE(canvas->items().back()->isFirstResponder());
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(1024, 1024));
    EXPECT_TRUE(sameColor(pixelYUp(image, 270, 512), Qt::red));
    EXPECT_TRUE(sameColor(pixelYUp(image, 700, 400), Qt::blue));
}
