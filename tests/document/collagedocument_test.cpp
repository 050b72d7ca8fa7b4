#include "document/collagedescription.h"
#include "document/collagefill.h"
#include "document/documentreader.h"
#include "document/documentwriter.h"
#include "document/offscreencollage.h"
#include "document/photoloader.h"

#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"
#include "kit/folders.h"
#include "kit/render.h"
#include "serial/klcombinview.h"
#include "support/testsupport.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

kit::Image photoFile(const QString& path, const QColor& color, QSize size)
{
    EXPECT_TRUE(testsupport::writeImage(testsupport::solidImage(size, color), path));
    return *kit::Image::load(path);
}

KLTextView* styledCaption(KLCanvasView& canvas, const QString& text, double turn)
{
    KLTextView* caption = canvas.addTextView(text, canvas.textAnchor());
    caption->_setTextColor(QColor(250, 200, 20));
    caption->_setStrokeColor(QColor(200, 0, 90, 180));
    caption->_setStrokeWidth(7.5);
    caption->_setShadowColor(Qt::blue);
    caption->_setDropShadow(true);
    caption->_setShadowOffset(3.25);
    caption->setFrameRotation(turn);
    caption->updateFrame();
    return caption;
}

// Each canvas of `collage` drawn at one size (the column at its own height).
std::vector<QImage> renders(OffscreenCollage& collage)
{
    std::vector<QImage> out;
    for (Mode mode : kModes) {
        KLCanvasView& canvas = collage.canvas(mode);
        if (mode == Mode::Serial)
            canvas.setFrameSize({ 300, 300 / collage.serialCanvas().ratio() });
        else
            canvas.setFrameSize({ 480, 320 });
        out.push_back(kit::renderToImage(canvas));
    }
    return out;
}

} // namespace

// A collage of every mode, saved with its photos beside it and the whole
// folder moved, reopens to the same pixels in each mode.
TEST(CollageDocument, ReopensToTheSamePixelsAfterTheFolderMoved)
{
    QTemporaryDir root;
    const QString first = root.filePath(QStringLiteral("first"));
    ASSERT_TRUE(QDir().mkpath(first + QStringLiteral("/photos")));
    const kit::Image red = photoFile(first + "/photos/red.png", Qt::red, { 60, 40 });
    const kit::Image green = photoFile(first + "/photos/green.png", Qt::green, { 30, 50 });
    const kit::Image blue = photoFile(first + "/photos/blue.png", Qt::blue, { 50, 50 });

    OffscreenCollage made;
    KLResourceView& cells = made.templateCanvas();
    ASSERT_TRUE(cells.loadResourceFromPath(
        kit::Folders::resourcePath(QStringLiteral("Templates/circles-2x2.fdd"))));
    cells.items()[0]->_setImage(red);
    cells.items()[1]->_setImage(green);
    cells.items()[1]->_setImagePlacement({ -0.2, -0.1 }, 1.7f);
    cells._setHasCorner(true);
    styledCaption(cells, QStringLiteral("Summer"), 12);

    KLFreeLayoutView& free = made.freeCanvas();
    free._setBackgroundView(BackgroundEntry { 1, {}, {} });
    KLFreeLayoutItem* print = free.addImage(blue, free.bounds().centre());
    print->_setScale(0.35f);
    print->setFrameRotation(-25);
    print->updateFrame();
    free.addImage(red, { 100, 80 });
    styledCaption(free, QStringLiteral("Free"), -40);
    made.setRatioIndex(Mode::FreeLayout, 3);

    made.serialCanvas().addImages({ green, red, blue });
    styledCaption(made.serialCanvas(), QStringLiteral("Column"), 0);
    made.showMode(Mode::FreeLayout);

    const CollageDocument described = describeCollage(made);
    QString error;
    ASSERT_TRUE(saveCollageDocument(described, first + "/c.tessera", &error)) << error;
    const std::vector<QImage> before = renders(made);

    const QString moved = root.filePath(QStringLiteral("moved"));
    ASSERT_TRUE(QDir().rename(first, moved));
    DocumentReadResult read = readCollageDocumentFile(moved + "/c.tessera");
    ASSERT_TRUE(read.ok()) << read.error;
    OffscreenCollage reopened;
    const PhotoLoadReport report = loadDocumentPhotos(*read.document, &reopened);
    EXPECT_TRUE(report.ok()) << report.problems.join('\n');
    fillCollage(reopened, *read.document);
    EXPECT_EQ(reopened.shownMode(), Mode::FreeLayout);
    EXPECT_EQ(reopened.ratioIndex(Mode::FreeLayout), 3);

    const std::vector<QImage> after = renders(reopened);
    for (size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(before[i].isNull());
        EXPECT_TRUE(before[i] == after[i]);
    }
}

// Damaged, hostile and later documents are refused with a reason that
// names what is wrong; nothing crashes.
TEST(CollageDocument, RefusesWhatItCannotRead)
{
    const QByteArray deep = QByteArray(100000, '[') + QByteArray(100000, ']');
    const struct
    {
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        { "", "" },
        { R"({"format": "something-else", "version": 1})", "" },
        { R"({"format": "tessera-collage"})", "version" },
        { R"({"format": "tessera-collage", "version": 7})", "7" },
        { R"({"format": "tessera-collage", "version": 1, "template": {"zoom": 1e308}})", "zoom" },
        { R"({"format": "tessera-collage", "version": 1, "free": {"prints": [{"photo": )"
          R"({"path": "a.png"}, "scale": -3}]}})",
          "scale" },
        { R"({"format": "tessera-collage", "version": 1, "serial": {"photos": 5}})", "photos" },
        { R"({"format": "tessera-collage", "version": 1, "free": {"captions": [{"style": )"
          R"({"color": [1, 2, 3]}}]}})",
          "color" },
        { deep, "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.left(80).toStdString());
        const DocumentReadResult r = readCollageDocument(c.bytes, QStringLiteral("/tmp"));
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(r.error.contains(QLatin1String(c.reason))) << r.error;
    }

    // Photos that are no plain files or are gone are told, one line each,
    // and keep their places as stand-ins; a border that does not read as one
    // (too deep for any plate) is told and left off.
    QTemporaryDir dir;
    testsupport::writeFile(dir.filePath("deep.bdr"), "0.1,0.2,0,0\nL:0,0,1,1\n");
    const QByteArray doc = R"({"format": "tessera-collage", "version": 1,
        "serial": {"photos": [{"path": "/dev/zero", "width": 4, "height": 3},
                              {"path": "../gone.png", "width": 2, "height": 2}],
                   "decorations": {"border": {"path": "deep.bdr"}}}})";
    DocumentReadResult r = readCollageDocument(doc, dir.path());
    ASSERT_TRUE(r.ok()) << r.error;
    OffscreenCollage collage;
    const PhotoLoadReport report = loadDocumentPhotos(*r.document, &collage);
    ASSERT_EQ(report.problems.size(), 3);
    EXPECT_TRUE(report.problems.filter(QLatin1String("/dev/zero")).size() == 1);
    EXPECT_TRUE(report.problems.filter(QLatin1String("gone.png")).size() == 1);
    EXPECT_TRUE(report.problems.filter(QLatin1String("deep.bdr")).size() == 1);
    EXPECT_FALSE(r.document->serialCollage.decorations.border);
    fillCollage(collage, *r.document);
    EXPECT_EQ(collage.serialCanvas().items().size(), 2u);
    EXPECT_EQ(describeSerial(collage).photos, r.document->serialCollage.photos);
}
