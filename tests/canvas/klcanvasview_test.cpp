#include "canvas/klcanvasview.h"

#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "support/notificationrecorder.h"
#include "support/testsupport.h"
#include "text/kltextview.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

using testsupport::pixelYUp;
using testsupport::sameColor;

namespace {

// A canvas with the plain plate rules, or the serial plate's (an outline is
// left unpainted without a shadow, the background survives clear()).
class TestCanvas : public KLCanvasView
{
public:
    explicit TestCanvas(const kit::Rect& frame, bool serialPlate = false)
        : KLCanvasView(frame), m_serialPlate(serialPlate)
    { }
    void addPhotos(const std::vector<kit::Image>& photos) override
    {
        m_photos.insert(m_photos.end(), photos.begin(), photos.end());
    }
    const std::vector<kit::Image>& photos() const { return m_photos; }
    using KLCanvasView::raiseCaptions;
    int layouts = 0;

protected:
    void removeAllPhotos() override { m_photos.clear(); }
    void layoutContent() override { ++layouts; }
    bool fillsOutlineWithoutShadow() const override { return !m_serialPlate; }
    bool clearKeepsBackground() const override { return m_serialPlate; }

private:
    bool m_serialPlate;
    std::vector<kit::Image> m_photos;
};

} // namespace

TEST(CanvasView, PlateFollowsTheDecorations)
{
    // 200 × 100: plate (5, 5, 190, 90), corner radius 5, picture (4, 4, 192, 92).
    QTemporaryDir dir;
    const QString border =
        testsupport::writeFile(dir.filePath("b.bdr"), "0.1,1,0,1\nL:0.5,0,1,1\n");
    const BackgroundEntry black { 1, {}, {} };
    const BackgroundEntry red { 5, testsupport::solidPhoto({ 20, 10 }, Qt::red),
                                QStringLiteral("red.png") };
    const QColor none(0, 0, 0, 0);
    const struct
    {
        const char* name;
        bool serial, shadow, corners;
        std::optional<BackgroundEntry> background;
        // Pixels at the plate's centre, in its lower left corner, and in
        // the unit between the picture's edge and the plate's.
        QColor centre, corner, pictureEdge;
    } cases[] = {
        { "plain", false, false, false, {}, Qt::white, Qt::white, none },
        { "black", false, false, false, black, Qt::black, Qt::black, none },
        { "corners", false, false, true, {}, Qt::white, none, none },
        { "picture", false, false, false, red, Qt::red, Qt::red, Qt::red },
        { "picture, corners", false, false, true, red, Qt::red, none, none },
        { "serial corners", true, false, true, {}, none, none, none },
        { "serial corners, picture", true, false, true, red, Qt::red, none, none },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestCanvas canvas({ 0, 0, 200, 100 }, c.serial);
        canvas._setHasShadow(c.shadow);
        canvas._setHasCorner(c.corners);
        canvas._setBackgroundView(c.background);
        const QImage image = kit::renderToImage(canvas);
        EXPECT_TRUE(sameColor(pixelYUp(image, 100, 50), c.centre, 3));
        EXPECT_TRUE(sameColor(pixelYUp(image, 5, 5), c.corner, 40));
        EXPECT_TRUE(sameColor(pixelYUp(image, 4, 50), c.pictureEdge, 3));
        EXPECT_EQ(pixelYUp(image, 1, 50).alpha(), 0);
    }
    // With the shadow on, the serial outline is filled after all.
    TestCanvas serial({ 0, 0, 200, 100 }, true);
    serial._setHasCorner(true);
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(serial), 100, 50), Qt::white, 3));

    // The shadow falls below the plate; a border outline wins over corners.
    TestCanvas canvas({ 0, 0, 200, 100 });
    EXPECT_GT(pixelYUp(kit::renderToImage(canvas), 100, 3).alpha(), 0);
    canvas._setHasCorner(true);
    canvas._setFrameBorder(border);
    ASSERT_TRUE(canvas.hasFrameBorder());
    EXPECT_EQ(canvas.plateOutline()->bounds(),
              canvas.frameBorder()->borderPathForRect(canvas.plateRect()).bounds());
    canvas._setFrameBorder(dir.filePath("missing.bdr"));
    EXPECT_FALSE(canvas.hasFrameBorder());
    EXPECT_TRUE(testsupport::rectNear(canvas.plateOutline()->bounds(), canvas.plateRect()));
}

TEST(CanvasView, CaptionsKeepTheirPlaceAboveThePhotos)
{
    kit::Window window;
    window.setRootView(std::make_unique<TestCanvas>(kit::Rect { 0, 0, 600, 400 }));
    auto& canvas = static_cast<TestCanvas&>(*window.rootView());
    testsupport::NotificationRecorder posts(kit::kTextViewDidSelected);

    // The default style: 0.1 of the larger side high, three times as wide.
    KLTextView* first = canvas.addTextView(QStringLiteral("one"), { 300, 200 });
    EXPECT_TRUE(testsupport::rectNear(first->frame(), { 210, 170, 180, 60 }));
    EXPECT_EQ(first->text(), QStringLiteral("one"));
    EXPECT_EQ(posts.lastObject(kit::kTextViewDidSelected), first);

    // A photo view added later goes below the captions again.
    canvas.addSubview(std::make_unique<kit::View>(kit::Rect { 0, 0, 10, 10 }));
    KLTextView* second = canvas.addTextView(QStringLiteral("two"), { 100, 100 });
    canvas.addSubview(std::make_unique<kit::View>(kit::Rect { 0, 0, 10, 10 }));
    canvas.raiseCaptions();
    const auto& subs = canvas.subviews();
    EXPECT_EQ(subs[subs.size() - 2].get(), first);
    EXPECT_EQ(subs.back().get(), second);

    // A resize lays the content out and re-places the captions relatively.
    const int layouts = canvas.layouts;
    canvas.setFrameSize({ 1200, 800 });
    EXPECT_EQ(canvas.layouts, layouts + 1);
    EXPECT_TRUE(testsupport::rectNear(first->frame(), { 420, 340, 360, 120 }));

    // On a narrow canvas a new caption is shrunk to its width, keeping its shape.
    canvas.setFrameSize({ 100, 800 });
    KLTextView* narrow = canvas.addTextView(QStringLiteral("n"), { 50, 400 });
    EXPECT_TRUE(testsupport::rectNear(narrow->frame(), { 0, 400 - 50.0 / 3, 100, 100.0 / 3 }));
    canvas.setFrameSize({ 1200, 800 });
    canvas.textViewDeleted(narrow);

    // Removal: the newest caption left is selected; strangers are ignored.
    KLTextView third;
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewDeleted, &third);
    EXPECT_EQ(canvas.textItems().size(), 2u);
    posts.clear();
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewDeleted, second);
    ASSERT_EQ(canvas.textItems(), std::vector<KLTextView*>({ first }));
    EXPECT_EQ(posts.lastObject(kit::kTextViewDidSelected), first);
    posts.clear();
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewDeleted, first);
    EXPECT_TRUE(canvas.textItems().empty());
    EXPECT_TRUE(posts.posts().empty());
}

TEST(CanvasView, ClearAndDeselect)
{
    for (const bool serial : { false, true }) {
        kit::Window window;
        window.setRootView(std::make_unique<TestCanvas>(kit::Rect { 0, 0, 300, 200 }, serial));
        auto& canvas = static_cast<TestCanvas&>(*window.rootView());
        canvas.addPhotos({ testsupport::solidPhoto({ 20, 10 }, Qt::blue) });
        canvas.addTextView(QStringLiteral("x"), { 50, 50 });
        canvas._setBackgroundView(BackgroundEntry { 1, {}, {} });
        canvas._setHasCorner(true);

        // Deselecting leaves no caption first responder.
        testsupport::NotificationRecorder posts(kit::kTextViewUnselected);
        kit::NotificationCenter::defaultCenter().post(kit::kLayoutClearResponder, nullptr);
        EXPECT_EQ(window.firstResponder(), &canvas);
        EXPECT_EQ(posts.count(kit::kTextViewUnselected), 1);

        canvas.clear();
        EXPECT_TRUE(canvas.photos().empty());
        EXPECT_TRUE(canvas.textItems().empty());
        EXPECT_TRUE(canvas.subviews().empty());
        EXPECT_EQ(canvas.backgroundView().has_value(), serial);
        EXPECT_TRUE(canvas.hasCorner() && canvas.hasShadow());
    }
}

TEST(CanvasView, PhotosThatCannotBeReadAreReportedTogether)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.png");
    ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage({ 20, 10 }, Qt::green), good));
    const QString text = testsupport::writeFile(dir.filePath("notes.png"), "not a picture");
    const QString missing = dir.filePath("missing.jpg");

    TestCanvas canvas({ 0, 0, 100, 100 });
    QStringList reported;
    int reports = 0;
    canvas.onUnreadablePhotos = [&](const QStringList& failures) {
        reported = failures;
        ++reports;
    };
    const auto photos = canvas.loadPhotos({ text, good, missing });
    ASSERT_EQ(photos.size(), 3u);
    EXPECT_FALSE(photos[0] || photos[2]);
    EXPECT_TRUE(photos[1]);
    EXPECT_EQ(reports, 1);
    ASSERT_EQ(reported.size(), 2);
    EXPECT_TRUE(reported[0].contains(text));
    EXPECT_TRUE(reported[1].contains(missing));

    canvas.loadPhotos({ good });
    EXPECT_EQ(reports, 1);
}

TEST(CanvasView, SaveWritesTheBoundsAtomically)
{
    QTemporaryDir dir;
    TestCanvas canvas({ 10, 10, 120.4, 80.6 });
    canvas._setHasShadow(false);
    const QString path = dir.filePath("out.png");
    QString error;
    ASSERT_TRUE(canvas.saveToURL(path, kit::ImageFormat::Png, &error)) << qPrintable(error);
    const QImage written(path);
    EXPECT_EQ(written.size(), QSize(120, 81));
    EXPECT_TRUE(sameColor(pixelYUp(written, 60, 40), Qt::white));

    // A folder that does not exist: a reason, and no file.
    const QString nowhere = dir.filePath("missing/out.png");
    EXPECT_FALSE(canvas.saveToURL(nowhere, kit::ImageFormat::Png, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
}
