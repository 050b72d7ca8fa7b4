// File ▸ Print…, Print Preview… and Export as PDF… through the controller:
// what reaches the paper, and what the person is told.

#include "controllerfixture.h"

#include "kit/notificationnames.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"
#include "template/klresourceview.h"

TEST_F(ControllerTest, PrintPreviewAndPdfPutTheCollageOnPaper)
{
    KLController& c = start();
    c.chooseFrameScale(5); // 16:9
    const kit::Rect frame = c.canvas()->frame();
    testsupport::NotificationRecorder posts(kit::kLayoutClearResponder);

    // Cancelled dialogs write nothing and say nothing.
    c.printCanvas();
    c.exportPdf();
    EXPECT_TRUE(QDir(m_dir.path()).entryList({ QStringLiteral("*.pdf") }).isEmpty());
    EXPECT_TRUE(m_dialogs->shown.empty());

    // A wide collage is printed across the paper unless the person turns it.
    m_dialogs->printTo = m_dir.filePath(QStringLiteral("printed.pdf"));
    c.printCanvas();
    const QSizeF printed = testsupport::pdfPageSize(testsupport::readFile(m_dialogs->printTo));
    EXPECT_GT(printed.width(), printed.height());

    m_dialogs->printTo = m_dir.filePath(QStringLiteral("preview.pdf"));
    c.previewPrint();
    EXPECT_EQ(m_dialogs->previews, 1);
    EXPECT_EQ(testsupport::pdfPageSize(testsupport::readFile(m_dialogs->printTo)), printed);

    PdfChoice letter;
    letter.path = m_dir.filePath(QStringLiteral("letter.pdf"));
    letter.options.paper = QPageSize(QPageSize::Letter);
    letter.options.orientation = QPageLayout::Portrait;
    m_dialogs->pdfChoice = letter;
    c.exportPdf();
    EXPECT_EQ(testsupport::pdfPageSize(testsupport::readFile(letter.path)), QSizeF(612, 792));

    // Every command deselected first; the canvas kept its frame.
    EXPECT_EQ(posts.count(kit::kLayoutClearResponder), 5);
    EXPECT_EQ(c.canvas()->frame(), frame);
    EXPECT_TRUE(m_dialogs->shown.empty());

    // A PDF that cannot be written is named in a message.
    m_dialogs->pdfChoice->path = m_dir.filePath(QStringLiteral("missing/c.pdf"));
    c.exportPdf();
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_TRUE(m_dialogs->shown[0].message.contains(QStringLiteral("c.pdf")));
}
