// Export of a serial column of thirty 24-megapixel photos, 1024 wide, with a
// libvips pipeline over the same photos as the peer (each photo reduced to
// the column's photo width, then joined top to bottom with the column's gap);
// and one step of dragging a photo through such a column on screen.
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) must hold p1.jpg .. p9.jpg;
//   ../shared/bench/make-corpus builds it. The thirty photos cycle through
//   them, each loaded as a photo of its own.

#include "serial/klcombinview.h"

#include "kit/graphicscontext.h"
#include "kit/image.h"
#include "kit/imagewriter.h"
#include "kit/window.h"

#include <benchmark/benchmark.h>

#include <cmath>

#include <sys/resource.h>

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kPhotos = 30;
constexpr double kWidth = 1024;

QStringList photoPaths()
{
    const QByteArray env = qgetenv("TESSERA_CORPUS");
    const QString dir =
        env.isEmpty() ? QStringLiteral("/tmp/tessera-corpus") : QString::fromLocal8Bit(env);
    QStringList paths;
    for (int i = 0; i < kPhotos; ++i)
        paths << dir + QStringLiteral("/p%1.jpg").arg(i % 9 + 1);
    return paths;
}

bool haveCorpus(benchmark::State& state)
{
    for (const QString& p : photoPaths()) {
        if (!QFile::exists(p)) {
            state.SkipWithError("corpus missing: run ../shared/bench/make-corpus");
            return false;
        }
    }
    return true;
}

std::vector<kit::Image> loadPhotos()
{
    std::vector<kit::Image> photos;
    for (const QString& p : photoPaths()) {
        if (auto image = kit::Image::load(p))
            photos.push_back(*image);
    }
    return photos;
}

double peakRssMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// From the files to the written PNG, as an export right after the photos
// were added: reading, decoding, layout, drawing and encoding.
void BM_SerialExportPng30(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.png"));
    int height = 0;
    for (auto _ : state) {
        KLCombinView canvas({ 0, 0, 600, 600 });
        canvas.addImages(loadPhotos());
        canvas.setFrameSize({ kWidth, (kWidth - 10) / canvas.ratio() + 10 });
        height = int(std::lround(canvas.bounds().height()));
        if (!canvas.saveToURL(out, kit::ImageFormat::Png))
            state.SkipWithError("export failed");
    }
    state.counters["height_px"] = height;
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

bool vips(const QStringList& args)
{
    return QProcess::execute(QStringLiteral("vips"), args) == 0;
}

void BM_VipsSerialPng30(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    if (!vips({ QStringLiteral("--version") })) {
        state.SkipWithError("vips is not installed (libvips-tools)");
        return;
    }
    QTemporaryDir dir;
    // The column's photo width at 1024: 1024 − 2 × 15.06 − 10, rounded.
    const QString width = QStringLiteral("994");
    for (auto _ : state) {
        QStringList cells;
        const QStringList photos = photoPaths();
        bool ok = true;
        for (int i = 0; i < photos.size(); ++i) {
            // Uncompressed TIFF between the steps: vips 8.14's arrayjoin
            // crashes on its own .v files.
            const QString cell = dir.filePath(QStringLiteral("c%1.tif").arg(i));
            ok = ok && vips({ QStringLiteral("thumbnail"), photos[i], cell, width });
            cells << cell;
        }
        ok = ok
            && vips({ QStringLiteral("arrayjoin"), cells.join(QLatin1Char(' ')),
                      dir.filePath(QStringLiteral("out.png")), QStringLiteral("--across"),
                      QStringLiteral("1"), QStringLiteral("--shim"), QStringLiteral("15") });
        if (!ok)
            state.SkipWithError("the vips pipeline failed");
    }
}

// One pointer move of a drag through the column at the editor's largest
// zoom for thirty photos (the column about 330 units wide), and the redraw of
// the 330 × 900 part of it that a window shows.
void BM_SerialDragStep30(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    kit::Window window;
    auto owned = std::make_unique<KLCombinView>(kit::Rect { 0, 0, 330, 330 });
    KLCombinView& canvas = *owned;
    window.setRootView(std::move(owned));
    canvas.addImages(loadPhotos());
    canvas.setFrameSize({ 330, 320 / canvas.ratio() + 10 });
    window.setContentSize(canvas.bounds().size);
    const kit::Rect shown { 0, canvas.bounds().height() - 900, 330, 900 };
    QImage screen(330, 900, QImage::Format_ARGB32_Premultiplied);
    auto redraw = [&] {
        screen.fill(Qt::transparent);
        QPainter painter(&screen);
        painter.translate(0, shown.maxY());
        painter.scale(1, -1);
        kit::GraphicsContext gc(painter);
        gc.clipToRect(shown);
        canvas.drawTree(gc, shown);
    };
    const kit::Point grab = canvas.items().front()->frame().centre();
    window.mouseDown({ grab, 1, {} });
    redraw(); // the first draw decodes the levels the screen needs
    int step = 0;
    for (auto _ : state) {
        window.mouseDragged({ { grab.x, grab.y - (step++ % 200) }, 1, {} });
        redraw();
    }
    window.mouseUp({ grab, 1, {} });
}

} // namespace

BENCHMARK(BM_SerialDragStep30)->Unit(benchmark::kMillisecond)->UseRealTime();
// Ours first, so that the peak memory it reports is its own.
BENCHMARK(BM_SerialExportPng30)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_VipsSerialPng30)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
