#include "controllerfixture.h"

#include "border/klbackgroundlistview.h"
#include "border/klborderlistview.h"
#include "border/klborderview.h"
#include "chrome/kltabbarview.h"
#include "chrome/kltitlebargroup.h"
#include "kit/localisation.h"
#include "kit/notificationnames.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "serial/klcombinview.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"
#include "template/klresourceitem.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>

namespace {

// Geometry as the window shows it, to a thousandth of a point.
void expectRect(const kit::Rect& actual, const kit::Rect& expected)
{
    EXPECT_TRUE(testsupport::rectNear(actual, expected, 1e-3));
}

kit::Image solid(int index)
{
    return testsupport::solidPhoto({ 8, 8 }, QColor::fromHsv(index * 25 % 360, 200, 200));
}

} // namespace

TEST_F(ControllerTest, DecorationAndWhatsNewChoicesAreKeptAcrossStarts)
{
    kit::Defaults& d = kit::Defaults::standard();
    d.set(QStringLiteral("HasShadow"), false);
    d.set(QStringLiteral("HasCorner"), true);
    KLController& c = start();
    KLTitleBarGroup* group = titleBarOf(c);
    EXPECT_FALSE(group->hasShadowButton()->isChecked());
    EXPECT_TRUE(group->roundCornerButton()->isChecked());
    EXPECT_FALSE(c.canvas()->hasShadow() || c.layoutView()->hasShadow()
                 || c.combinView()->hasShadow());
    EXPECT_TRUE(c.canvas()->hasCorner() && c.layoutView()->hasCorner()
                && c.combinView()->hasCorner());

    // The person's toggles reach every canvas and hold at the next start.
    group->roundCornerButton()->click();
    group->hasShadowButton()->click();
    EXPECT_FALSE(c.combinView()->hasCorner());
    EXPECT_TRUE(c.combinView()->hasShadow());
    KLController& again = start();
    EXPECT_FALSE(titleBarOf(again)->roundCornerButton()->isChecked());
    EXPECT_TRUE(again.canvas()->hasShadow() && !again.canvas()->hasCorner());

    // What's new shows until it is told not to, until the next major version.
    ASSERT_TRUE(again.whatsNewWindow() && again.whatsNewWindow()->isVisible());
    again.whatsNewWindow()->displayWhenStartup()->setChecked(false);
    again.whatsNewWindow()->close();
    EXPECT_EQ(kit::Defaults::standard().boolForKey(QStringLiteral("WhatsNew_1")), false);

    KLController& next = start();
    EXPECT_TRUE(!next.whatsNewWindow() || !next.whatsNewWindow()->isVisible());

    QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
    EXPECT_TRUE(start().whatsNewWindow()->isVisible());
}

TEST_F(ControllerTest, ZoomCommandsStepWithinTheSliderRange)
{
    KLController& c = start();
    auto command = [&](const char* key) {
        for (QAction* a : c.window()->findChildren<QAction*>()) {
            if (a->text() == kit::localized(key))
                return a->trigger();
        }
        ADD_FAILURE() << key;
    };
    command("MENU_ZOOM_OUT"); // at the bottom already
    EXPECT_EQ(c.modeState(Mode::Template).zoom, 1.0f);
    command("MENU_ZOOM_IN");
    EXPECT_EQ(c.modeState(Mode::Template).zoom, 1.25f);
    command("MENU_ZOOM_FIT");
    EXPECT_EQ(c.modeState(Mode::Template).zoom, 1.0f);
    // Between steps, and at the top of the range.
    c.canvasScaleChanged(2.9);
    command("MENU_ZOOM_IN");
    EXPECT_EQ(c.modeState(Mode::Template).zoom, 3.0f);
    command("MENU_ZOOM_OUT");
    EXPECT_EQ(c.modeState(Mode::Template).zoom, 2.75f);
    c.selectView(tags::layoutModeTag(Mode::Serial));
    c.canvasScaleChanged(4.9);
    command("MENU_ZOOM_IN");
    EXPECT_EQ(c.modeState(Mode::Serial).zoom, 5.0f);
}

TEST_F(ControllerTest, RatioFollowsThePopUpAndTheTemplate)
{
    KLController& c = start();
    testsupport::NotificationRecorder posts(kit::kTextViewUnselected);
    c.showFrameScale();
    ASSERT_TRUE(c.scaleWindow());
    c.showFrameScale();
    EXPECT_FALSE(c.scaleWindow());

    c.showFrameScale();
    QPushButton* wide = nullptr;
    for (auto* b : c.scaleView()->findChildren<QPushButton*>())
        wide = b->property("tag").toInt() == 5 ? b : wide;
    ASSERT_TRUE(wide);
    // The ratio in force shows checked, and only it.
    auto checked = [&] {
        QStringList titles;
        for (auto* b : c.scaleView()->findChildren<QPushButton*>())
            titles << (b->isChecked() ? b->text() : QString());
        titles.removeAll(QString());
        return titles;
    };
    EXPECT_EQ(checked(), QStringList { titleBarOf(c)->scaleButton()->text() });
    wide->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(c.scaleWindow());
    EXPECT_EQ(titleBarOf(c)->scaleButton()->text(), QStringLiteral("16:9"));
    EXPECT_EQ(posts.names().back(), kit::kTextViewUnselected.toString());
    c.selectView(101); // the free layout keeps a ratio of its own
    c.showFrameScale();
    EXPECT_EQ(checked(), QStringList { titleBarOf(c)->scaleButton()->text() });
    c.showFrameScale();

    // A template that declares its ratio sets it; one that locks it disables
    // the button, in its own mode only.
    c.selectView(100);
    QPushButton* ratio = titleBarOf(c)->scaleButton();
    c.selectTemplate(writeTemplate(QStringLiteral("wide.fdd"), 2, "4,3"));
    EXPECT_EQ(ratio->text(), QStringLiteral("4:3"));
    EXPECT_TRUE(ratio->isEnabled());
    c.selectTemplate(writeTemplate(QStringLiteral("locked.fdd"), 2, "0.75,1,1"));
    EXPECT_EQ(ratio->text(), QStringLiteral("3:4"));
    EXPECT_FALSE(ratio->isEnabled());
    EXPECT_EQ(ratio->toolTip(), kit::localized("TOOLTIP_RATIO_LOCKED"));
    c.selectView(101);
    EXPECT_TRUE(ratio->isEnabled());
}

TEST_F(ControllerTest, RecentDropsRefillTheCellsOfANewTemplate)
{
    KLController& c = start();
    std::vector<kit::Image> drops;
    for (int i = 1; i <= 12; ++i) {
        drops.push_back(solid(i));
        kit::NotificationCenter::defaultCenter().post(kit::kLayoutImageDropped, drops.back());
    }
    // Fewer cells take the most recent; more show all ten kept, oldest first.
    c.selectView(101);
    c.selectTemplate(writeTemplate(QStringLiteral("four.fdd"), 4));
    EXPECT_EQ(c.currentMode(), Mode::Template);
    ASSERT_EQ(c.canvas()->items().size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.canvas()->items()[i]->image(), drops[8 + i]) << i;
    const QString fifteen = writeTemplate(QStringLiteral("fifteen.fdd"), 15);
    c.selectTemplate(fifteen);
    ASSERT_EQ(c.canvas()->items().size(), 15u);
    for (int i = 0; i < 15; ++i) {
        const auto expected = i < 10 ? std::optional(drops[2 + i]) : std::nullopt;
        EXPECT_EQ(c.canvas()->items()[i]->image(), expected) << i;
    }

    // The loaded template again: its cells keep what they show.
    c.canvas()->items()[0]->_setImage(drops[0]);
    c.selectTemplate(fifteen);
    EXPECT_EQ(c.canvas()->items()[0]->image(), drops[0]);
}

TEST_F(ControllerTest, CanvasFramesFollowRatioAndZoomAndEachModeKeepsItsOwn)
{
    // The arithmetic is canvasgeometry's; here, that each change reaches it.
    KLController& c = start();
    setScrollSize(800, 600);
    c.chooseFrameScale(3); // 4:3
    expectRect(c.modeState(Mode(0)).documentFrame, { 1, 1, 798, 598 });
    expectRect(c.canvas()->frame(), { 19, 14, 760, 570 });
    c.canvasScaleChanged(2.0);
    expectRect(c.canvas()->frame(), { 19, 14, 1560, 1170 });
    QScrollArea* scroll = widgetOf<QScrollArea>(c, "scrollView");
    EXPECT_EQ(scroll->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    c.canvas()->fillCells({ solid(1) }, c.canvas()->items().front());

    QStackedWidget* pages = widgetOf<QStackedWidget>(c, "frameTabView");

    const struct
    {
        int tag, mode, page;
    } steps[] = { { 101, 1, 1 }, { 202, 1, 2 }, { 102, 2, 1 }, { 100, 0, 0 }, { 999, 0, 0 } };
    for (const auto& s : steps) {
        c.selectView(s.tag);
        EXPECT_EQ(int(c.currentMode()), s.mode) << s.tag;
        EXPECT_EQ(pages->currentIndex(), s.page) << s.tag;
        EXPECT_EQ(widgetOf<KLTabBarView>(c, "frameBar")->items()[0].hidden, s.mode != 0) << s.tag;
        EXPECT_EQ(widgetOf<QPushButton>(c, "filterButton")->isVisibleTo(c.window()), s.page == 0)
            << s.tag;
        EXPECT_EQ(widgetOf<QPushButton>(c, "addItemButton")->isVisibleTo(c.window()), s.page != 2)
            << s.tag;
    }
    EXPECT_EQ(c.modeState(Mode(0)).zoom, 2.0f);
    EXPECT_EQ(c.modeState(Mode(1)).zoom, 1.0f);
    EXPECT_EQ(titleBarOf(c)->scaleButton()->text(), QStringLiteral("4:3"));
    EXPECT_EQ(titleBarOf(c)->imageScaleLabel()->text(), QStringLiteral("200%"));
    expectRect(c.canvas()->frame(), { 19, 14, 1560, 1170 });
    EXPECT_TRUE(c.canvas()->items().front()->image().has_value());
    c.canvasScaleChanged(1.0);
    EXPECT_EQ(scroll->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(ControllerTest, DecorationsReachTheCurrentCanvasOnly)
{
    KLController& c = start();
    const QString border = QStringLiteral(TESSERA_SOURCE_RESOURCES "/Borders/wave.bdr");
    auto choose = [](int tag, const QString& path) {
        KLBorderView entry;
        entry.setTag(tag);
        entry.setPath(path);
        kit::NotificationCenter::defaultCenter().post(kit::kBorderItemSelected, &entry);
    };
    choose(3, border);
    c.selectView(101);
    choose(3, border);
    EXPECT_TRUE(c.canvas()->hasFrameBorder() && c.layoutView()->hasFrameBorder());
    EXPECT_FALSE(c.combinView()->hasFrameBorder());
    EXPECT_EQ(c.borderListView()->markedFile(), border);
    choose(0, KLBorderView::kNoBorderPath);
    EXPECT_FALSE(c.layoutView()->hasFrameBorder());
    EXPECT_TRUE(c.canvas()->hasFrameBorder());
    // The libraries mark what the current mode's canvas uses.
    EXPECT_EQ(c.borderListView()->markedFile(), KLBorderView::kNoBorderPath);
    c.selectView(100);
    EXPECT_EQ(c.borderListView()->markedFile(), border);
    // A border file that no longer reads (too deep for any plate) is refused
    // and named; the canvas keeps its border.
    choose(4, testsupport::writeFile(m_dir.filePath("deep.bdr"), "1,1,0,0\nL:0,0,1,1\n"));
    EXPECT_EQ(c.canvas()->frameBorderPath(), border);
    EXPECT_TRUE(c.window()->message().contains(QStringLiteral("deep.bdr")));
    EXPECT_TRUE(c.resourceListView()->imgViews()[0]->isMarked());
    c.selectView(101);

    BackgroundEntry picture { 4, solid(3), m_dir.filePath(QStringLiteral("sky.png")) };
    c.applyBackground(picture);
    EXPECT_EQ(c.backgroundListView()->markedFile(), picture.path);
    EXPECT_EQ(c.layoutView()->backgroundView(), picture);
    EXPECT_FALSE(c.canvas()->backgroundView().has_value());
    // A built-in entry forgets the remembered picture but still applies.
    c.applyBackground(BackgroundEntry { 1, solid(0), {} });
    EXPECT_FALSE(c.modeState(Mode(1)).background.has_value());
    EXPECT_EQ(c.layoutView()->backgroundView()->tag, 1);
}

TEST_F(ControllerTest, NewCanvasClearsTheCurrentCanvasAndQuitAsksOnce)
{
    KLController& c = start();
    c.selectView(101);
    c.layoutView()->addPhotos({ solid(1) });
    c.canvas()->fillCells({ solid(2) }, c.canvas()->items().front());
    m_dialogs->answers = { Dialogs::Answer::Yes };
    c.newCanvas();
    EXPECT_TRUE(c.layoutView()->items().empty());
    EXPECT_TRUE(c.canvas()->items().front()->image().has_value());

    // Without unsaved changes, quitting asks the plain question.
    m_dialogs->saveAnswers = { Dialogs::SaveAnswer::Discard };
    c.documents().newDocument();
    m_dialogs->answers = { Dialogs::Answer::No };
    EXPECT_FALSE(c.window()->close());
    EXPECT_EQ(m_dialogs->shown.back().message, kit::localized("APP_QUIT"));

    // Once agreed, quitting closes the window again without a second question.
    m_dialogs->answers = { Dialogs::Answer::Yes };
    EXPECT_TRUE(c.windowShouldClose());
    const size_t asked = m_dialogs->shown.size();
    EXPECT_TRUE(c.windowShouldClose());
    EXPECT_EQ(m_dialogs->shown.size(), asked);
}

TEST_F(ControllerTest, ClickBesideTheCanvasDeselects)
{
    // Observing before the canvases do records the posts in their order.
    testsupport::NotificationRecorder posts(kit::kLayoutClearResponder, kit::kTextViewUnselected);
    KLController& c = start();
    posts.clear();
    kit::Window* window = c.modeState(Mode(0)).host->viewWindow();
    window->mouseDown({ { 2, 2 }, 1, {} });
    window->mouseUp({ { 2, 2 }, 1, {} });
    ASSERT_GE(posts.names().size(), 2);
    EXPECT_EQ(posts.names().front(), kit::kLayoutClearResponder.toString());
    EXPECT_EQ(posts.names().back(), kit::kTextViewUnselected.toString());
}

TEST_F(ControllerTest, HelpOpensTheShippedPagesOfTheInterfaceLanguage)
{
    // In a Chinese interface the first entry opens the Chinese pages, the
    // second the English ones.
    QCoreApplication& app = *QCoreApplication::instance();
    kit::Localisation::install(app, QLocale(QLocale::Chinese, QLocale::China));
    KLController& c = start();
    QMenu* help = c.window()->menuBar()->actions().last()->menu();
    ASSERT_TRUE(help);
    for (QAction* entry : help->actions()) {
        if (entry->shortcut() == QKeySequence(QKeySequence::HelpContents)) {
            entry->trigger();
            help->actions().at(help->actions().indexOf(entry) + 1)->trigger();
        }
    }
    QStringList opened;
    for (const QUrl& url : m_dialogs->openedUrls) {
        EXPECT_TRUE(QFileInfo(url.toLocalFile()).isFile()) << url.toString();
        opened << url.path().section(u'/', -2, -2);
    }
    EXPECT_EQ(opened, (QStringList { "zh_CN", "en" }));

    // A language without pages gets the English ones; a desktop that cannot
    // open the page says so, naming it.
    const QUrl english = m_dialogs->openedUrls.at(1);
    m_dialogs->openUrlSucceeds = false;
    c.showHelp(QStringLiteral("de"));
    EXPECT_EQ(m_dialogs->openedUrls.back(), english);
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_TRUE(m_dialogs->shown[0].message.contains(english.toLocalFile()));
    kit::Localisation::install(app, QLocale::c());
}

TEST_F(ControllerTest, WindowHoldsItsShapeInEveryLanguage)
{
    QCoreApplication& app = *QCoreApplication::instance();
    for (const QLocale& locale : { QLocale(QLocale::English, QLocale::UnitedStates),
                                   QLocale(QLocale::Chinese, QLocale::China) }) {
        kit::Localisation::install(app, locale);
        const std::string language = locale.name().toStdString();
        KLController& c = start();
        KLMainWindow* win = c.window();
        KLTitleBarGroup* group = titleBarOf(c);

        // The mode that hides the ratio button moves no other control.
        const QPoint save = group->saveButton()->mapTo(win, QPoint());
        c.layoutChanged(Mode::Serial);
        EXPECT_FALSE(group->scaleButton()->isVisible());
        EXPECT_EQ(group->saveButton()->mapTo(win, QPoint()), save) << language;
        c.layoutChanged(Mode::Template);

        // The longest filter title fits its button; the library is narrowed
        // and the menu marks the choice in force.
        m_dialogs->menuTagToChoose = 9;
        c.libraries().showFilterMenu();
        QCoreApplication::processEvents();
        const auto* filter = widgetOf<QPushButton>(c, "filterButton");
        EXPECT_EQ(filter->text(), kit::localized("FILTER_9"));
        EXPECT_GE(filter->width(), filter->sizeHint().width()) << language;
        EXPECT_EQ(c.resourceListView()->filter(), 9);
        for (QAction* entry : c.libraries().filterMenu()->actions())
            EXPECT_EQ(entry->isChecked(), entry->data().toInt() == 9) << language;

        // At its smallest the window shows every control of the top bar whole.
        win->resize(100, 100);
        QCoreApplication::processEvents();
        for (const QWidget* control : group->findChildren<QWidget*>()) {
            if (!control->isVisible())
                continue;
            const QRect r(control->mapTo(win, QPoint()), control->size());
            EXPECT_TRUE(win->rect().contains(r)) << language << " " << r.x() << "," << r.right();
            EXPECT_GE(control->width(), control->minimumSizeHint().width()) << language;
        }
    }
    kit::Localisation::install(app, QLocale::c());
}
