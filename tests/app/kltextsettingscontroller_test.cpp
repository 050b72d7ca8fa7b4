#include "app/klcolorwell.h"
#include "app/klstepper.h"
#include "app/kltextsettingscontroller.h"

#include "text/kltextview.h"
#include "text/textfont.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDial>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

namespace {

class TextPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_caption = std::make_unique<KLTextView>(kit::Rect(0, 0, 300, 100));
        m_caption->applyStyleWithDictionary(factoryTextStyle());
        m_caption->_setText("Hello");
        m_panel._setTextView(m_caption.get());
    }
    // Types at the end of the text, one key at a time.
    void type(const QString& keys)
    {
        for (QChar key : keys) {
            m_panel.text()->moveCursor(QTextCursor::End);
            m_panel.text()->insertPlainText(key);
        }
    }
    // Types into a number field and leaves it, as the person does.
    void enter(QLineEdit* field, const QString& text)
    {
        field->setText(text);
        emit field->editingFinished();
    }

    QWidget m_window;
    KLTextSettingsController m_panel { &m_window };
    std::unique_ptr<KLTextView> m_caption;
};

} // namespace

TEST_F(TextPanelTest, ShowsTheCaptionAndTypingChangesItAtOnce)
{
    EXPECT_EQ(m_panel.text()->toPlainText(), "Hello");
    // The nominal size, though the caption draws it at 16 × 100 ÷ 84.
    EXPECT_EQ(m_panel.fontDescriptions()->text(), "DejaVu Sans 16pt");
    EXPECT_EQ(m_panel.shadowRadius()->text(), "4");
    EXPECT_EQ(m_panel.opacity()->value(), 100);

    type("!");
    EXPECT_EQ(m_caption->text(), "Hello!");
    type("你");
    EXPECT_EQ(m_caption->text(), "Hello!你");

    m_panel.changeFont(fontFromName("Liberation Serif Bold", 30));
    EXPECT_EQ(m_panel.fontDescriptions()->text(), "Liberation Serif Bold 30pt");
    EXPECT_EQ(m_caption->styleRecord().fontName, "Liberation Serif Bold");

    m_panel.fillColor()->setColor(Qt::red);
    emit m_panel.fillColor()->colorChanged(Qt::red);
    EXPECT_EQ(m_caption->textColor(), QColor(Qt::red));
    m_panel.opacity()->setValue(40);
    EXPECT_EQ(m_caption->opacity(), 40);
    // The dial turns clockwise from its bottom; directions from the top.
    m_panel.shadowDegree()->setValue(270);
    EXPECT_EQ(m_caption->shadowDegree(), 90);
}

TEST_F(TextPanelTest, NumberFieldsAndSteppers)
{
    enter(m_panel.strokeWidth(), "2.6");
    EXPECT_FLOAT_EQ(m_caption->strokeWidth(), 2.6f);
    EXPECT_EQ(m_panel.strokeWidthStepper()->value(), 3);
    EXPECT_EQ(m_panel.strokeWidth()->text(), "2.6");
    m_panel._setTextView(m_caption.get());
    EXPECT_EQ(m_panel.strokeWidth()->text(), "3");

    // The shadow's controls wait for its box.
    EXPECT_FALSE(m_panel.shadowOffset()->isEnabled());
    m_panel.dropShadow()->setChecked(true);
    EXPECT_TRUE(m_caption->dropShadow());
    EXPECT_TRUE(m_panel.shadowOffset()->isEnabled());
    enter(m_panel.shadowOffset(), "abc");
    EXPECT_EQ(m_caption->shadowOffset(), 0);

    m_panel.shadowRadiusStepper()->setValue(4);
    m_panel.shadowRadiusStepper()->stepUp();
    EXPECT_EQ(m_panel.shadowRadius()->text(), "5");
    EXPECT_EQ(m_caption->shadowRadius(), 5);
}

TEST_F(TextPanelTest, LetsGoOfARemovedCaption)
{
    m_caption->remove();
    EXPECT_EQ(m_panel.textView(), nullptr);
    EXPECT_FALSE(m_panel.text()->isEnabled());
    type("x");
    EXPECT_EQ(m_caption->text(), "Hello");

    // A caption that dies while attached is not touched either.
    m_panel._setTextView(m_caption.get());
    m_caption.reset();
    EXPECT_EQ(m_panel.textView(), nullptr);
    m_panel.opacity()->setValue(10);
    m_panel.changeFont(QFont());
}
