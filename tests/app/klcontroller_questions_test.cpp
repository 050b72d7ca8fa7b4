#include "controllerfixture.h"

#include "border/klbackgroundlistview.h"
#include "kit/localisation.h"
#include "template/klresourceitem.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include <functional>

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace {

// How the person leaves the question the controller is about to ask.
enum class Leave { Escape, Close, Return };

// Answers the next modal question as the person would, once it shows.
void leaveNextQuestion(Leave how, QString* asked)
{
    QTimer::singleShot(0, [how, asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *asked = box->text();
        if (how == Leave::Close) {
            box->close();
            return;
        }
        const int key = how == Leave::Escape ? Qt::Key_Escape : Qt::Key_Return;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
    });
}

} // namespace

// Escape and closing the dialog answer No to every question; Return takes
// the question's own default (No for deleting, Yes for a new canvas).
TEST_F(ControllerTest, OnlyAnExplicitYesDeletes)
{
    KLController& c = start(true, true);
    const QString mine = *c.resourceListView()->addTemplateFromURL(writeTemplate("mine.fdd", 2));
    QImage sky(40, 30, QImage::Format_RGB32);
    sky.fill(Qt::cyan);
    ASSERT_TRUE(sky.save(m_dir.filePath("sky.png")));
    const QString picture = *c.backgroundListView()->addImageFromURL(m_dir.filePath("sky.png"));
    c.resourceListView()->load();
    c.backgroundListView()->load();

    for (Leave how : { Leave::Escape, Leave::Close, Leave::Return }) {
        SCOPED_TRACE(int(how));
        c.selectView(200);
        c.selectTemplate(mine);
        QString asked;
        leaveNextQuestion(how, &asked);
        c.removeItem();
        EXPECT_EQ(asked, kit::localized("DELETE_TEMPLATE"));
        EXPECT_TRUE(QFileInfo::exists(mine));

        c.selectView(201);
        c.applyBackground(BackgroundEntry { 9, kit::Image(), picture });
        asked.clear();
        leaveNextQuestion(how, &asked);
        c.removeItem();
        EXPECT_EQ(asked, kit::localized("DELETE_IMAGE"));
        EXPECT_TRUE(QFileInfo::exists(picture));
        EXPECT_TRUE(c.canvas()->backgroundView().has_value());

        // A new canvas goes ahead only on Return, its default.
        c.canvas()->fillCells({ kit::Image::fromPixels(sky) }, c.canvas()->items().front());
        asked.clear();
        leaveNextQuestion(how, &asked);
        c.newCanvas();
        EXPECT_EQ(asked, kit::localized("NEW_CANVAS"));
        EXPECT_EQ(c.canvas()->items().front()->image().has_value(), how != Leave::Return);

        // Quitting never happens by Escape or closing the question (here
        // the one about the unsaved photo).
        if (how != Leave::Return) {
            leaveNextQuestion(how, &asked);
            EXPECT_FALSE(c.window()->close());
            EXPECT_EQ(
                asked,
                kit::localized("SAVE_CHANGES_QUESTION").arg(kit::localized("UNTITLED_DOCUMENT")));
        }
    }
}
