#include "controllerfixture.h"

#include "app/exportsettings.h"
#include "app/klstylecommands.h"
#include "app/kltextsettingscontroller.h"
#include "app/rendercommand.h"
#include "document/collagedescription.h"
#include "document/documentwriter.h"
#include "document/offscreencollage.h"
#include "freelayout/klfreelayoutitem.h"
#include "kit/localisation.h"
#include "serial/klcombinview.h"
#include "support/testsupport.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

// Saving, the unsaved mark, the question before changes are lost, New,
// Open and Open Recent, as the window shows them.
TEST_F(ControllerTest, DocumentsSaveReopenAndGuardUnsavedChanges)
{
    kit::Defaults::standard().remove(QStringLiteral("RecentDocuments"));
    KLController& c = start();
    KLDocumentCommands& docs = c.documents();
    KLMainWindow& w = *c.window();
    EXPECT_FALSE(w.isWindowModified());

    c.addText();
    docs.checkpoint();
    EXPECT_TRUE(w.isWindowModified());

    // Saving asks for a name; the extension is added.
    m_dialogs->savePaths.push_back(m_dir.filePath("trip"));
    m_dialogs->saveAnswers.push_back(Dialogs::SaveAnswer::Save);
    docs.newDocument();
    const QString path = m_dir.filePath("trip.tessera");
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_TRUE(c.canvas()->textItems().empty());
    EXPECT_EQ(w.windowTitle(), kit::localized("UNTITLED_DOCUMENT") + "[*]");
    EXPECT_FALSE(w.isWindowModified());

    // Opening gives the caption back and names the document.
    ASSERT_TRUE(docs.openFile(path));
    EXPECT_EQ(c.canvas()->textItems().size(), 1u);
    EXPECT_EQ(w.windowTitle(), "trip[*]");
    EXPECT_FALSE(docs.isModified());
    EXPECT_EQ(docs.recentDocuments(), QStringList { path });

    // A later format is refused, naming it, and changes nothing.
    const size_t shown = m_dialogs->shown.size();
    const QString later = testsupport::writeFile(m_dir.filePath("later.tessera"),
                                                 R"({"format": "tessera-collage", "version": 4})");
    EXPECT_FALSE(docs.openFile(later));
    ASSERT_EQ(m_dialogs->shown.size(), shown + 1);
    EXPECT_TRUE(m_dialogs->shown.back().message.contains(QLatin1String("format 4")));
    EXPECT_EQ(docs.path(), path);
    EXPECT_EQ(c.canvas()->textItems().size(), 1u);

    // Discarding changes lets the quit go on without writing.
    c.addText();
    m_dialogs->saveAnswers.push_back(Dialogs::SaveAnswer::Discard);
    const QByteArray savedBytes = testsupport::readFile(path);
    EXPECT_TRUE(c.windowShouldClose());
    EXPECT_EQ(testsupport::readFile(path), savedBytes);
}

// A collage autosaved by a session that never quit is offered at the next
// start and comes back unsaved; a normal quit leaves nothing to offer.
TEST_F(ControllerTest, AutosaveIsOfferedAfterAnAbnormalEnd)
{
    KLController& first = start();
    first.selectView(101);
    first.layoutView()->addPhotos({ testsupport::solidPhoto({ 40, 30 }, Qt::red) });
    first.addText();
    const QString photo = m_dir.filePath("sea.png");
    ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage({ 40, 30 }, Qt::blue), photo));
    first.openPhotos({ photo });
    first.autosave().saveNow();
    ASSERT_TRUE(QFileInfo::exists(KLAutosave::autosavePath()));

    // The process ends without quitting.
    KLController& second = start(false);
    m_dialogs->answers = { Dialogs::Answer::Yes };
    second.applicationDidFinishLaunching();
    ASSERT_FALSE(m_dialogs->shown.empty());
    EXPECT_TRUE(m_dialogs->shown.front().message.startsWith(
        kit::localized("RESTORE_AUTOSAVE_QUESTION").section(QLatin1Char('%'), 0, 0)));
    // The photo that never was a file cannot come back; the rest does.
    EXPECT_EQ(second.layoutView()->items().size(), 1u);
    EXPECT_EQ(second.layoutView()->textItems().size(), 1u);
    EXPECT_EQ(second.currentMode(), Mode::FreeLayout);
    EXPECT_TRUE(second.window()->isWindowModified());

    m_dialogs->saveAnswers = { Dialogs::SaveAnswer::Discard };
    EXPECT_TRUE(second.windowShouldClose());
    EXPECT_FALSE(QFileInfo::exists(KLAutosave::autosavePath()));

    // A copy that claims to stand for a file that is no collage document
    // never makes Save write there: the restored collage asks for a name.
    const QString notes = testsupport::writeFile(m_dir.filePath("notes.txt"), "mine");
    testsupport::writeFile(KLAutosave::autosavePath(),
                           R"({"format": "tessera-collage", "version": 1, "autosaveOf": ")"
                               + notes.toUtf8() + R"("})");
    KLController& third = start(false);
    m_dialogs->answers = { Dialogs::Answer::Yes };
    third.applicationDidFinishLaunching();
    EXPECT_TRUE(third.documents().path().isEmpty());
    EXPECT_FALSE(third.documents().save());
    EXPECT_EQ(testsupport::readFile(notes), QByteArray("mine"));
    third.autosave().discard();
}

// Each mode of a document exported from the window is the image that
// `tessera render DOCUMENT` draws of it at the same size.
TEST_F(ControllerTest, ExportsMatchTheCommandLineRenderOfTheDocument)
{
    const QString red = m_dir.filePath("red.png"), blue = m_dir.filePath("blue.jpg");
    ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage({ 60, 40 }, Qt::red), red));
    ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage({ 30, 50 }, Qt::blue), blue));
    OffscreenCollage made;
    ASSERT_TRUE(made.templateCanvas().loadResourceFromPath(writeTemplate("two.fdd", 2)));
    made.templateCanvas().items()[0]->_setImage(*kit::Image::load(red));
    made.templateCanvas().items()[1]->_setImage(*kit::Image::load(blue));
    made.templateCanvas().items()[1]->_setImagePlacement({ -0.2, -0.1 }, 1.7f);
    made.setRatioIndex(Mode::Template, 3);
    made.templateCanvas()._setHasCorner(true);
    KLFreeLayoutView& free = made.freeCanvas();
    free.addImage(*kit::Image::load(blue), free.bounds().centre())->_setScale(0.4f);
    free._setBackgroundView(BackgroundEntry { 1, {}, {} });
    made.setRatioIndex(Mode::FreeLayout, 5);
    made.serialCanvas().addImages({ *kit::Image::load(red), *kit::Image::load(blue) });
    for (Mode mode : kModes) {
        KLCanvasView& canvas = made.canvas(mode);
        canvas.addTextView(QStringLiteral("Sunny"), canvas.textAnchor())->setFrameRotation(15);
    }
    const QString document = m_dir.filePath("all.tessera");
    QString error;
    ASSERT_TRUE(saveCollageDocument(describeCollage(made), document, &error)) << error;

    KLController& c = start();
    setScrollSize(700, 500);
    ASSERT_TRUE(c.documents().openFile(document));
    // Opened with no caption's settings panel open.
    const KLTextSettingsController* panel = c.styles().textSettingsController();
    EXPECT_TRUE(!panel || !panel->textPanel()->isVisible());
    const struct
    {
        Mode mode;
        const char* name;
        kit::Size size;
    } cases[] = {
        { Mode::Template, "template", { 640, 480 } },
        { Mode::FreeLayout, "free", { 640, 360 } },
        { Mode::Serial, "serial", { 640, 640 } },
    };
    for (const auto& m : cases) {
        SCOPED_TRACE(m.name);
        c.selectView(tags::layoutModeTag(m.mode));
        // The check boxes show the canvas's own decorations.
        EXPECT_EQ(titleBarOf(c)->roundCornerButton()->isChecked(), m.mode == Mode::Template);
        ExportChoice choice;
        choice.path = m_dir.filePath(QStringLiteral("%1-window.png").arg(m.name));
        choice.sizeType = exportsettings::Middle;
        choice.outputSize = m.size;
        m_dialogs->exportChoice = choice;
        c.saveCanvas();

        const QString drawn = m_dir.filePath(QStringLiteral("%1-command.png").arg(m.name));
        QString messages;
        QTextStream err(&messages);
        ASSERT_EQ(
            renderMain({ document, "--mode", m.name, "--width", "640", "--output", drawn }, err),
            RenderOk)
            << messages;
        const QImage window(choice.path);
        EXPECT_FALSE(window.isNull());
        EXPECT_TRUE(window == QImage(drawn));
    }
}
