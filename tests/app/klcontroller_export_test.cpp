#include "controllerfixture.h"

#include "kit/localisation.h"
#include "kit/notificationnames.h"
#include "serial/klcombinview.h"
#include "support/notificationrecorder.h"
#include "template/klresourceview.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

ExportChoice choice(const QString& path, int sizeType, kit::Size size, bool reveal)
{
    ExportChoice c;
    c.path = path;
    c.format = kit::ImageFormat::Png;
    c.sizeType = sizeType;
    c.outputSize = size;
    c.reveal = reveal;
    return c;
}

} // namespace

TEST_F(ControllerTest, SaveWritesTheCurrentCanvasAtTheOutputSize)
{
    testsupport::NotificationRecorder posts(kit::kLayoutClearResponder);
    KLController& c = start();
    posts.clear();
    c.chooseFrameScale(4); // 3:4
    const kit::Rect frame = c.canvas()->frame();

    const QString path = m_dir.filePath(QStringLiteral("collage.png"));
    m_dialogs->exportChoice = choice(path, 2, { 1024, 1024 * 4.0 / 3 }, true);
    c.saveCanvas();
    EXPECT_EQ(posts.count(kit::kLayoutClearResponder), 1);
    ASSERT_EQ(m_dialogs->exportRatios.size(), 1u);
    EXPECT_EQ(m_dialogs->exportRatios[0], kit::Size(3, 4));
    EXPECT_EQ(QImageReader(path).size(), QSize(1024, 1365));
    EXPECT_EQ(c.canvas()->frame(), frame);
    EXPECT_EQ(m_dialogs->revealed, QStringList { path });

    // Serial: the content's ratio (one 4:3 photo: 500 / 382.5) sets the height.
    c.selectView(102);
    c.combinView()->addImage(kit::Image::fromPixels(QImage(400, 300, QImage::Format_RGB32)));
    const QString strip = m_dir.filePath(QStringLiteral("strip.png"));
    m_dialogs->exportChoice = choice(strip, 1, { 640, 640 }, false);
    c.saveCanvas();
    EXPECT_NEAR(m_dialogs->exportRatios.back().width, 500 / 382.5, 1e-6);
    EXPECT_EQ(QImageReader(strip).size(), QSize(640, 492));
    EXPECT_EQ(m_dialogs->revealed.size(), 1);
    EXPECT_TRUE(m_dialogs->shown.empty());
}

TEST_F(ControllerTest, FailedOrCancelledSavesWriteNothing)
{
    KLController& c = start();
    const QString missing = m_dir.filePath(QStringLiteral("no/such/folder/out.png"));
    m_dialogs->exportChoice = choice(missing, 0, { 320, 320 }, true);
    c.saveCanvas();
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_EQ(m_dialogs->shown[0].title, kit::localized("WARNING_TITLE"));
    EXPECT_TRUE(m_dialogs->shown[0].message.contains(QStringLiteral("out.png")));
    EXPECT_TRUE(m_dialogs->revealed.isEmpty());

    m_dialogs->exportChoice.reset();
    const kit::Rect frame = c.canvas()->frame();
    c.saveCanvas();
    EXPECT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_EQ(c.canvas()->frame(), frame);
}
