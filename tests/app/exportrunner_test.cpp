#include "app/exportrunner.h"
#include "app/exportsettings.h"
#include "app/ratiotable.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include "kit/imagewriter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProgressDialog>
#include <QTemporaryDir>

using namespace exportsettings;

namespace {

class ExportRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A 3:4 template with two cells.
        const QString path = m_dir.filePath("t.fdd");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("3,4\n0,0,1,0.5:L:*\n0,0.5,1,0.5:L:*\n");
        f.close();
        ASSERT_TRUE(m_canvas.loadResourceFromPath(path));
        m_cellSize = m_canvas.items().front()->frame().size;
    }
    SaveFunction save()
    {
        return [this](const QString& p, kit::ImageFormat t, QString* e) {
            return m_canvas.saveToURL(p, t, e);
        };
    }
    void expectRestored()
    {
        EXPECT_EQ(m_canvas.unrotatedFrame().origin, m_frame.origin);
        EXPECT_EQ(m_canvas.unrotatedFrame().size, m_frame.size);
        EXPECT_EQ(m_canvas.items().front()->frame().size, m_cellSize);
    }

    QTemporaryDir m_dir;
    const kit::Rect m_frame { 15, 25, 300, 400 };
    KLResourceView m_canvas { m_frame };
    kit::Size m_cellSize;
};

} // namespace

TEST_F(ExportRunnerTest, WritesEveryTypeAtEverySizeAndRestoresTheFrame)
{
    const kit::Size ratio = ratios::table[4]; // 3:4
    const QByteArray formats[] = { "png", "jpeg", "tiff", "bmp" };
    for (int sizeType = Small; sizeType <= Custom; ++sizeType) {
        const kit::Size size = sizeType == Custom
            ? kit::Size(600, 800)
            : ratioOutputSize(widthForTag(kSizeTagBase + sizeType), ratio);
        // 320 × 426.67, 640 × 853.33, 1024 × 1365.33: rounded to whole pixels.
        const QSize pixels(qRound(size.width), qRound(size.height));
        for (int fileType = 0; fileType < kFileTypeCount; ++fileType) {
            const QString path = m_dir.filePath(
                QStringLiteral("s%1.%2").arg(sizeType).arg(extensionForFileType(fileType)));
            const ExportResult r =
                exportCanvas(m_canvas, save(), size, path, formatForFileType(fileType), sizeType);
            ASSERT_TRUE(r.ok) << r.error.toStdString();
            QImageReader reader(path);
            EXPECT_EQ(reader.size(), pixels) << path.toStdString();
            EXPECT_EQ(reader.format(), formats[fileType]) << path.toStdString();
            expectRestored();
        }
    }
    EXPECT_EQ(QImageReader(m_dir.filePath("s2.png")).size(), QSize(1024, 1365));
}

TEST_F(ExportRunnerTest, FailureIsReportedAndTheFrameRestored)
{
    // A folder that cannot exist: its parent is a file.
    QFile blocker(m_dir.filePath("plain"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = m_dir.filePath("plain/Frame.png");

    QStringList log;
    static QStringList* sink = nullptr;
    sink = &log;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { sink->append(m); });
    const ExportResult r =
        exportCanvas(m_canvas, save(), { 640, 853 }, path, kit::ImageFormat::Png, Middle);
    qInstallMessageHandler(previous);

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_TRUE(r.error.contains(path)) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(r.reason));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(log.contains("Selected column:1 101")) << log.join('|').toStdString();
    expectRestored();

    // An unusable size never reaches the canvas.
    int calls = 0;
    const SaveFunction counting = [&](const QString&, kit::ImageFormat, QString*) {
        return ++calls > 0;
    };
    for (const kit::Size bad : { kit::Size(0, 0), kit::Size(640, -1), kit::Size(qQNaN(), 10) }) {
        EXPECT_FALSE(exportCanvas(m_canvas, counting, bad, path, kit::ImageFormat::Png, Custom).ok);
        expectRestored();
    }
    EXPECT_EQ(calls, 0);
}

TEST_F(ExportRunnerTest, LargeExportsShowThatTheyAreWorking)
{
    QWidget window;
    window.show();
    const struct
    {
        kit::Size size;
        bool dialog;
    } cases[] = { { { 320, 240 }, false }, { { 1200, 1600 }, true } };
    for (const auto& c : cases) {
        bool cursor = false, shown = false;
        const SaveFunction observe = [&](const QString&, kit::ImageFormat, QString*) {
            cursor = QApplication::overrideCursor() != nullptr;
            const auto dialogs = window.findChildren<QProgressDialog*>();
            shown = !dialogs.isEmpty() && dialogs.front()->isVisible();
            return true;
        };
        ASSERT_TRUE(exportCanvas(m_canvas, observe, c.size, m_dir.filePath("x.png"),
                                 kit::ImageFormat::Png, Big, &window)
                        .ok);
        EXPECT_TRUE(cursor);
        EXPECT_EQ(shown, c.dialog);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(window.findChildren<QProgressDialog*>().isEmpty());
    }
}
