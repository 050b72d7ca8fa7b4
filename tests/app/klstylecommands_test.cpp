#include "controllerfixture.h"

#include "app/klstylecommands.h"
#include "app/kltextsettingscontroller.h"

#include "canvas/klcanvasview.h"
#include "kit/folders.h"
#include "kit/localisation.h"
#include "kit/notificationnames.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"
#include "text/stylefile.h"
#include "text/stylelibrary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class StyleCommandsTest : public ControllerTest
{
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        kit::Defaults::standard().remove(QString::fromLatin1(kStyleNamePreference));
        kit::Folders::removeItem(userStylesFolder(false));
    }
    KLTextView* addCaption()
    {
        m_controller->addText();
        return m_controller->canvas()->textItems().back();
    }
    QStringList listed() const
    {
        QComboBox* list = m_controller->styles().styleListButton();
        QStringList titles;
        for (int i = 0; i < list->count(); ++i)
            titles.append(list->itemData(i).isNull() ? "-" : list->itemText(i));
        return titles;
    }
    int indexOf(const QString& title) const
    {
        return m_controller->styles().styleListButton()->findText(title);
    }
    QString userStyle(const QString& name) const { return userStylesFolder(false) + "/" + name; }
};

} // namespace

TEST_F(StyleCommandsTest, AddedCaptionShowsThePanelAndSavesItsStyleUnderACleanName)
{
    KLController& c = start();
    KLTextView* caption = addCaption();
    // Centred in the cell area.
    EXPECT_NEAR(caption->frame().midX(), c.canvas()->boundView()->bounds().midX(), 1e-9);

    KLTextSettingsController* panel = c.styles().textSettingsController();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->textPanel()->isVisible());
    EXPECT_EQ(panel->textView(), caption);
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewUnselected);
    EXPECT_FALSE(panel->textPanel()->isVisible());
    // A single click elsewhere does not bring a hidden panel back.
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewDidChanged, caption);
    EXPECT_FALSE(panel->textPanel()->isVisible());

    // Saved names are cleaned and numbered.
    m_dialogs->styleNames = { "a/b?c" };
    caption->saveProperties();
    EXPECT_TRUE(QFileInfo::exists(userStyle("abc.style")));
    EXPECT_TRUE(QFileInfo::exists(userStyle("abc.png")));
    // The field keeps the last name; a name left empty by cleaning asks again.
    m_dialogs->styleNames = { "??", "abc" };
    caption->saveProperties();
    EXPECT_EQ(m_dialogs->styleNameFieldTexts, QStringList({ "", "a/b?c", "??" }));
    EXPECT_TRUE(QFileInfo::exists(userStyle("abc-1.style")));
    m_dialogs->styleNames = { ".abc" };
    caption->saveProperties();
    EXPECT_TRUE(QFileInfo::exists(userStyle("abc-2.style")));
    EXPECT_EQ(KLStyleCommands::_sanitizeFileNameString("x\\%*|\"<>y\n"), "xy");
}

TEST_F(StyleCommandsTest, StyleListDefaultAndRemoval)
{
    KLController& c = start();
    KLStyleCommands& styles = c.styles();
    // A person's style named like a shipped one hides it.
    TextStyle wide = factoryTextStyle();
    wide.ratio = 4;
    wide.fontSize = 20;
    ASSERT_TRUE(writeStyleFile(userStylesFolder(true) + "/Wide.style", wide));
    ASSERT_TRUE(writeStyleFile(userStylesFolder(true) + "/Outline.style", wide));
    kit::Defaults::standard().set(QString::fromLatin1(kStyleNamePreference), "Gone");

    styles.showStyleView();
    ASSERT_TRUE(c.scaleWindow());
    const QStringList titles = listed();
    EXPECT_EQ(titles.mid(0, 3), QStringList({ "Default", "-", "Caption" }));
    EXPECT_EQ(titles.mid(titles.size() - 3), QStringList({ "-", "Outline", "Wide" }));
    EXPECT_EQ(titles.count("Outline"), 1);
    // A default that no longer exists selects the default entry; it stays stored.
    EXPECT_EQ(styles.styleListButton()->currentIndex(), 0);
    EXPECT_TRUE(styles.makeDefaultStyleButton()->isChecked());
    EXPECT_EQ(kit::Defaults::standard().stringForKey(kStyleNamePreference), "Gone");

    // A shipped style cannot be removed, but is previewed.
    styles.styleListButton()->setCurrentIndex(indexOf("Neon"));
    styles._selectStyle(indexOf("Neon"));
    EXPECT_FALSE(styles.removeStyleButton()->isEnabled());
    EXPECT_FALSE(styles.stylePreviewer()->pixmap().isNull());
    styles.removeStyle();
    EXPECT_TRUE(m_dialogs->shown.empty());

    // Made the default, the person's style dresses the next caption.
    styles.styleListButton()->setCurrentIndex(indexOf("Wide"));
    styles._selectStyle(indexOf("Wide"));
    EXPECT_TRUE(styles.removeStyleButton()->isEnabled());
    styles.makeDefaultStyleButton()->click();
    EXPECT_EQ(kit::Defaults::standard().stringForKey(kStyleNamePreference), "Wide");
    KLTextView* caption = addCaption();
    EXPECT_NEAR(caption->frame().width() / caption->frame().height(), 4, 1e-9);
    EXPECT_EQ(caption->font()->pointSizeF(), 20);

    // Removing asks; "No" keeps it, "Yes" deletes the style and its picture.
    styles.styleListButton()->setCurrentIndex(indexOf("Wide"));
    styles.removeStyle();
    EXPECT_TRUE(QFileInfo::exists(userStyle("Wide.style")));
    m_dialogs->answers = { Dialogs::Answer::Yes };
    styles.removeStyle();
    ASSERT_EQ(m_dialogs->shown.size(), 2u);
    EXPECT_EQ(m_dialogs->shown[1].message, kit::localized("DELETE_STYLE"));
    EXPECT_EQ(m_dialogs->shown[1].defaultButton, kit::localized("BUTTON_NO"));
    EXPECT_FALSE(QFileInfo::exists(userStyle("Wide.style")));
    EXPECT_EQ(indexOf("Wide"), -1);
    EXPECT_EQ(styles.styleListButton()->currentIndex(), 0);
    EXPECT_EQ(kit::Defaults::standard().stringForKey(kStyleNamePreference), "Wide");
}
