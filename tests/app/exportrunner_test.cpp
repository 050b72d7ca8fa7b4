#include "app/exportrunner.h"
#include "app/exportsettings.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
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
        ASSERT_TRUE(m_canvas.loadResourceFromPath(testsupport::writeFile(
            m_dir.filePath("t.fdd"), "3,4\n0,0,1,0.5:L:*\n0,0.5,1,0.5:L:*\n")));
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

TEST_F(ExportRunnerTest, FailureIsReportedAndTheFrameRestored)
{
    // A folder that cannot exist: its parent is a file.
    const QString path = testsupport::writeFile(m_dir.filePath("plain"), "x") + "/Frame.png";

    const ExportResult r =
        exportCanvas(m_canvas, save(), { 640, 853 }, path, kit::ImageFormat::Png, Middle);

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_TRUE(r.error.contains(path)) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(r.reason));
    EXPECT_FALSE(QFileInfo::exists(path));
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
