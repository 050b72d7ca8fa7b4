#include "app/klexportpanel.h"
#include "app/ratiotable.h"

#include "kit/defaults.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace exportsettings;

namespace {

class ExportPanelTest : public ::testing::Test
{
protected:
    QString prefsFile() const { return m_dir.filePath("prefs.ini"); }
    kit::Defaults& defaults() { return m_defaults; }
    // Preferences as a new reader sees them on disk.
    std::optional<QVariant> stored(QLatin1StringView key) const
    {
        return kit::Defaults(prefsFile()).valueForKey(key);
    }
    static QLineEdit* nameEdit(KLExportPanel& panel)
    {
        return panel.findChild<QLineEdit*>("fileNameEdit");
    }
    // Typing into a custom field, then leaving it.
    static void type(QLineEdit* field, const QString& text, bool finish = true)
    {
        field->setText(text);
        emit field->textEdited(text);
        if (finish)
            emit field->editingFinished();
    }
    static void chooseFileType(KLExportPanel& panel, int position)
    {
        panel.fileTypePopUp()->setCurrentIndex(position);
        emit panel.fileTypePopUp()->activated(position);
    }

    QTemporaryDir m_dir;
    kit::Defaults m_defaults { m_dir.filePath("prefs.ini") };
};

} // namespace

TEST_F(ExportPanelTest, OpensWithStoredOrFallbackChoices)
{
    const struct
    {
        QVariant fileType, sizeType, width, height;
        int ratio;
        int expectFileType, expectSizeType;
        const char* name;
        const char* w;
        const char* h;
    } cases[] = {
        { 7, -1, {}, {}, 0, 0, Small, "Frame.png", "", "" },
        // A size stored at another ratio is shown at the current one.
        { 1, 3, 2250, 3000, 5, 1, Custom, "Frame.jpg", "2250", "1266" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        defaults().set(kSaveFileTypeKey, c.fileType);
        defaults().set(kSizeTypeKey, c.sizeType);
        defaults().set(kSaveWidthKey, c.width);
        defaults().set(kSaveHeightKey, c.height);
        KLExportPanel panel(nullptr, defaults(), ratios::table[c.ratio]);
        EXPECT_EQ(panel.fileTypePopUp()->currentIndex(), c.expectFileType);
        EXPECT_EQ(panel.sizeMatrix()->checkedId(), kSizeTagBase + c.expectSizeType);
        EXPECT_EQ(panel.widthField()->isEnabled(), c.expectSizeType == Custom);
        EXPECT_EQ(panel.heightField()->isEnabled(), c.expectSizeType == Custom);
        ASSERT_NE(nameEdit(panel), nullptr);
        EXPECT_EQ(nameEdit(panel)->text(), c.name);
        EXPECT_EQ(panel.widthField()->text(), c.w);
        EXPECT_EQ(panel.heightField()->text(), c.h);
    }
}

TEST_F(ExportPanelTest, SizeChoiceIsStoredAtOnceAndCancelStoresNothingElse)
{
    KLExportPanel panel(nullptr, defaults(), ratios::table[0]);
    panel.sizeMatrix()->button(kSizeTagBase + Custom)->click();
    EXPECT_TRUE(panel.widthField()->isEnabled());
    EXPECT_EQ(stored(kSizeTypeKey), QVariant(3));
    panel.sizeMatrix()->button(kSizeTagBase + Middle)->click();
    EXPECT_FALSE(panel.widthField()->isEnabled());
    EXPECT_EQ(stored(kSizeTypeKey), QVariant(1));
    chooseFileType(panel, 2);
    panel.reject();
    EXPECT_FALSE(panel.choice());
    EXPECT_FALSE(stored(kSaveFileTypeKey));
    EXPECT_FALSE(stored(kOpenFolderKey));
}

TEST_F(ExportPanelTest, ConfirmAnswersAndStoresTheChoice)
{
    const QString folder = m_dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(folder));
    KLExportPanel panel(nullptr, defaults(), ratios::table[4]); // 3:4
    panel.setDirectory(folder);
    chooseFileType(panel, 2);
    EXPECT_EQ(nameEdit(panel)->text(), "Frame.tiff");
    panel.sizeMatrix()->button(kSizeTagBase + Custom)->click();
    type(panel.heightField(), "3000");
    panel.revealCheckBox()->setChecked(true);
    nameEdit(panel)->setText("Collage.png"); // another format's extension
    panel.accept();

    ASSERT_TRUE(panel.choice());
    const ExportChoice& c = *panel.choice();
    EXPECT_EQ(c.path, QDir(folder).filePath("Collage.tiff"));
    EXPECT_EQ(c.format, kit::ImageFormat::Tiff);
    EXPECT_EQ(c.sizeType, Custom);
    EXPECT_EQ(c.outputSize, kit::Size(2250, 3000));
    EXPECT_TRUE(c.reveal);

    // The next panel (read from the file) starts with all of it.
    kit::Defaults reread(prefsFile());
    KLExportPanel next(nullptr, reread, ratios::table[4]);
    EXPECT_EQ(next.directory().absolutePath(), folder);
    EXPECT_TRUE(next.revealCheckBox()->isChecked());
    EXPECT_EQ(nameEdit(next)->text(), "Frame.tiff");
    EXPECT_EQ(next.sizeMatrix()->checkedId(), kSizeTagBase + Custom);
    EXPECT_EQ(next.widthField()->text(), "2250");
    EXPECT_EQ(next.heightField()->text(), "3000");
}

TEST_F(ExportPanelTest, CustomFieldsAreLinkedAndAnUnusableSizeKeepsThePanelOpen)
{
    KLExportPanel panel(nullptr, defaults(), ratios::table[0]);
    panel.setDirectory(m_dir.path());
    panel.sizeMatrix()->button(kSizeTagBase + Custom)->click();
    for (const char* text : { "", "abc" }) {
        type(panel.widthField(), text);
        panel.accept();
        EXPECT_FALSE(panel.choice()) << text;
        EXPECT_NE(panel.result(), QDialog::Accepted);
        EXPECT_FALSE(panel.sizeMessage()->isHidden());
    }
    EXPECT_FALSE(stored(kSaveFileTypeKey));

    // Leaving a field that was not typed in changes nothing.
    panel.heightField()->setText("17");
    emit panel.heightField()->editingFinished();
    EXPECT_EQ(panel.heightField()->text(), "17");

    // Typing links the other field at once and leaves the typed text alone;
    // confirmed while still typing, the size is kept within 3072.
    type(panel.widthField(), "5000", false);
    EXPECT_EQ(panel.widthField()->text(), "5000");
    EXPECT_EQ(panel.heightField()->text(), "3072");
    panel.accept();
    ASSERT_TRUE(panel.choice());
    EXPECT_EQ(panel.choice()->outputSize, kit::Size(3072, 3072));
}

TEST_F(ExportPanelTest, ReplaceQuestionNamesTheFileThatWouldBeWritten)
{
    ASSERT_FALSE(testsupport::writeFile(m_dir.filePath("Collage.tiff"), {}).isEmpty());
    KLExportPanel panel(nullptr, defaults(), ratios::table[0]);
    panel.setDirectory(m_dir.path());
    chooseFileType(panel, 2);
    nameEdit(panel)->setText("Collage.png");
    QString question;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            question = box->text();
            box->reject(); // do not replace
        }
    });
    panel.accept();
    EXPECT_TRUE(question.contains("Collage.tiff")) << question.toStdString();
    EXPECT_FALSE(panel.choice());
}
