// Pixels of captions rendered off screen: selection marks, the size the
// text is drawn at, outline strokes, shadows, opacity and saved styles.

#include "text/kltextview.h"
#include "text/textfont.h"

#include "kit/render.h"
#include "kit/window.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QRawFont>
#include <QTemporaryDir>

using testsupport::pixelYUp;

namespace {

bool isBlue(const QColor& c)
{
    return c.alpha() > 200 && c.blue() > 200 && c.red() < 60 && c.green() < 60;
}

bool isRed(const QColor& c)
{
    return c.alpha() > 200 && c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

bool isBlack(const QColor& c)
{
    return c.alpha() > 200 && c.red() < 60 && c.green() < 60 && c.blue() < 60;
}

struct Ink
{
    int count = 0;
    double x = 0, y = 0; // centroid, y up
    int minY = 1 << 30, maxY = -1;
};

Ink inkOf(const QImage& image, bool (*matches)(const QColor&))
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!matches(pixelYUp(image, x, y)))
                continue;
            ++ink.count;
            ink.x += x;
            ink.y += y;
            ink.minY = std::min(ink.minY, y);
            ink.maxY = std::max(ink.maxY, y);
        }
    }
    if (ink.count > 0) {
        ink.x /= ink.count;
        ink.y /= ink.count;
    }
    return ink;
}

// A caption on its own showing `text` in black DejaVu Sans.
std::unique_ptr<KLTextView> caption(const kit::Rect& frame, const QString& text, double size = 40)
{
    auto view = std::make_unique<KLTextView>(frame);
    TextStyle style = factoryTextStyle();
    style.fontSize = size;
    view->applyStyleWithDictionary(style);
    view->_setText(text);
    return view;
}

int maxAlpha(const QImage& image)
{
    int most = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            most = std::max(most, qAlpha(image.pixel(x, y)));
    return most;
}

} // namespace

TEST(CaptionRender, SelectionMarksOfA300By100CaptionOnA600WideCanvas)
{
    kit::Window window;
    window.setRootView(std::make_unique<kit::View>(kit::Rect(0, 0, 600, 400)));
    KLTextView* view = window.rootView()->addSubview(caption({ 100, 100, 300, 100 }, ""));
    EXPECT_EQ(inkOf(kit::renderToImage(*view), isBlue).count, 0); // not selected
    window.makeFirstResponder(view);
    const QImage image = kit::renderToImage(*view);
    // Handles 0 to 3, the knob and its stem.
    for (const kit::Point p :
         { kit::Point(5, 5), { 295, 5 }, { 5, 78 }, { 295, 78 }, { 155, 95 }, { 155, 86 } })
        EXPECT_TRUE(isBlue(pixelYUp(image, int(p.x), int(p.y)))) << p.x << "," << p.y;
    // Above the top handles lies the knob strip, empty but for the knob.
    for (const kit::Point p : { kit::Point(5, 88), { 295, 88 }, { 100, 92 }, { 150, 50 } })
        EXPECT_EQ(pixelYUp(image, int(p.x), int(p.y)).alpha(), 0) << p.x << "," << p.y;
    // The dashed frame is 82 high: its top edge has dashes and gaps.
    int dashes = 0;
    for (int x = 20; x < 120; ++x)
        dashes += isBlue(pixelYUp(image, x, 82)) ? 1 : 0;
    EXPECT_GT(dashes, 40);
    EXPECT_LT(dashes, 90);
    // Saving a preview hides the marks.
    EXPECT_EQ(inkOf(view->renderPreview(), isBlue).count, 0);
}

TEST(CaptionRender, TextSizeFollowsTheBoxHeight)
{
    auto small = caption({ 0, 0, 300, 60 }, "H", 16);
    small->setScaleHeight(44);
    small->_updateText();
    // 16 × 60 ÷ 44 ≈ 21.8 points: the height of DejaVu Sans's H at that size.
    QRawFont raw = QRawFont::fromFont(fontFromName("DejaVu Sans", 16));
    raw.setPixelSize(16.0f * 60 / 44);
    const double capHeight =
        raw.pathForGlyph(raw.glyphIndexesForString("H")[0]).boundingRect().height();
    EXPECT_NEAR(small->textPath().bounds().height(), capHeight, capHeight * 0.002);
    const Ink ink = inkOf(kit::renderToImage(*small), isBlack);
    EXPECT_NEAR(ink.maxY - ink.minY + 1, capHeight, 1.5);

    auto twice = caption({ 0, 0, 600, 120 }, "H", 16);
    twice->setScaleHeight(44);
    twice->_updateText();
    EXPECT_NEAR(twice->textPath().bounds().height(), 2 * capHeight, capHeight * 0.004);

    // Chinese comes from the fallback font.
    auto chinese = caption({ 0, 0, 300, 100 }, "你好");
    EXPECT_GT(inkOf(kit::renderToImage(*chinese), isBlack).count, 200);
}

TEST(CaptionRender, OutlineStrokeAboveOnePercent)
{
    int counts[5] = {};
    for (int width : { 0, 1, 2, 4 }) {
        auto view = caption({ 0, 0, 300, 100 }, "HOH", 60);
        view->_setStrokeColor(QColor(Qt::red));
        view->_setStrokeWidth(width);
        counts[width] = inkOf(kit::renderToImage(*view), isRed).count;
    }
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(counts[1], 0);
    EXPECT_GT(counts[2], 100);
    // 4 % of the height is twice the line of 2 %.
    EXPECT_NEAR(double(counts[4]) / counts[2], 2.0, 0.35);
}

TEST(CaptionRender, ShadowDirections)
{
    const struct
    {
        double degrees;
        double dx, dy; // expected direction
    } cases[] = { { 0, 0, 1 }, { 90, 1, 0 }, { 180, 0, -1 }, { 270, -1, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.degrees);
        auto view = caption({ 0, 0, 300, 160 }, "I", 60);
        view->_setDropShadow(true);
        view->_setShadowColor(QColor(Qt::red));
        view->_setShadowRadius(0);
        view->_setShadowOffset(25); // half the outline's height
        view->_setShadowDegree(c.degrees);
        const QImage image = kit::renderToImage(*view);
        const Ink glyph = inkOf(image, isBlack), shadow = inkOf(image, isRed);
        ASSERT_GT(shadow.count, 0);
        const double d = view->textPath().bounds().height() / 2;
        const double mx = shadow.x - glyph.x, my = shadow.y - glyph.y;
        EXPECT_GT(mx * c.dx + my * c.dy, d / 3);
        EXPECT_LT(std::abs(mx * c.dy) + std::abs(my * c.dx), 1.5); // no sideways drift
    }
}

TEST(CaptionRender, OpacityReplacesTheColoursAlpha)
{
    auto view = caption({ 0, 0, 300, 100 }, "HH", 60);
    view->_setTextColor(QColor(0, 0, 0, 128));
    EXPECT_NEAR(maxAlpha(kit::renderToImage(*view)), 128, 1);
    view->_setOpacity(99);
    EXPECT_NEAR(maxAlpha(kit::renderToImage(*view)), 252, 1);
}

TEST(CaptionRender, SavedStyleReproducesTheLookOnAnotherCaption)
{
    QTemporaryDir dir;
    auto source = caption({ 0, 0, 300, 100 }, "Hello", 30);
    source->setSize({ 3, 0.2 });
    source->_setFont(fontFromName("Liberation Serif Bold", 30));
    source->_setTextColor(QColor(250, 200, 20));
    source->_setStrokeColor(QColor(20, 20, 120));
    source->_setStrokeWidth(3);
    source->_setDropShadow(true);
    source->_setShadowColor(QColor(0, 0, 0, 150));
    source->_setShadowDegree(135);
    source->_setShadowOffset(6);
    source->_setShadowRadius(3);
    source->_setOpacity(80);
    source->setScaleHeight(70);
    source->_updateText();
    const QString path = dir.filePath("gold.style");
    ASSERT_TRUE(source->saveStyle(path));

    // The same text and box in the saved style look the same.
    auto twin = caption({ 40, 40, 300, 100 }, "Hello", 12);
    ASSERT_TRUE(twin->applyStyle(path));
    EXPECT_EQ(kit::renderToImage(*twin), kit::renderToImage(*source));

    // Another caption keeps its own text, place and size.
    auto other = caption({ 10, 20, 240, 80 }, "World", 12);
    other->setSize({ 3, 0.1 });
    ASSERT_TRUE(other->applyStyle(path));
    EXPECT_EQ(other->text(), "World");
    EXPECT_EQ(other->frame(), kit::Rect(10, 20, 240, 80));
    EXPECT_EQ(other->size().height, 0.1);
    EXPECT_EQ(other->styleRecord().fontName, "Liberation Serif Bold");
    EXPECT_EQ(other->scaleHeight(), 70);
}
