// The free layout with nine 24-megapixel prints: one redraw while a print is
// dragged, and the export of the scattered prints at 3072 × 3072.
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) must hold p1.jpg .. p9.jpg;
//   ../shared/bench/make-corpus builds it.

#include "freelayout/klfreelayoutitem.h"
#include "freelayout/klfreelayoutview.h"
#include "kit/graphicscontext.h"
#include "kit/image.h"
#include "kit/imagewriter.h"
#include "kit/render.h"
#include "kit/window.h"

#include "benchcorpus.h"

#include <benchmark/benchmark.h>

#include <optional>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

QStringList photoPaths()
{
    QStringList paths;
    for (int i = 1; i <= 9; ++i)
        paths << corpus() + QStringLiteral("/p%1.jpg").arg(i);
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

// Nine prints scattered over the canvas: a loose 3 × 3 grid, each a third of
// the width, turned a little this way or that, overlapping their neighbours.
void scatter(KLFreeLayoutView& canvas)
{
    const kit::Rect area = canvas.boundView()->bounds();
    const QStringList paths = photoPaths();
    for (int i = 0; i < paths.size(); ++i) {
        const double fx = 0.2 + 0.3 * (i % 3), fy = 0.2 + 0.3 * (i / 3);
        KLFreeLayoutItem* item =
            canvas.addImageFromPath(paths[i],
                                    canvas.boundView()->convertPointToView(
                                        { fx * area.width(), fy * area.height() }, &canvas));
        if (item)
            item->setPlacement(item->frame().centre(), 0.34f, (i % 4 - 1.5) * 6);
    }
}

// Peak resident memory of the process so far, in MiB.
double peakMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// One redraw of a 1600 × 1200 canvas in its window, as each drag event of a
// print causes (the dragged print without shadow, the others with theirs).
void BM_DragRedraw1600x1200(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    kit::Window window;
    window.setContentSize({ 1600, 1200 });
    window.setRootView(std::make_unique<kit::View>());
    auto* canvas = window.rootView()->addSubview(
        std::make_unique<KLFreeLayoutView>(kit::Rect { 0, 0, 1600, 1200 }));
    scatter(*canvas);
    // Redraws what the window asks for, as the view host does: the dirty
    // area is cleared and drawn again, clipped to it.
    std::optional<QRect> dirty;
    window.onNeedsDisplayInRect = [&dirty](const kit::Rect& r) {
        const QRect area = QRectF(r.x(), 1200 - r.maxY(), r.width(), r.height())
                               .toAlignedRect()
                               .adjusted(-1, -1, 1, 1)
                               .intersected(QRect(0, 0, 1600, 1200));
        dirty = dirty ? dirty->united(area) : area;
    };
    QImage target(1600, 1200, QImage::Format_ARGB32_Premultiplied);
    qint64 redrawnPixels = 0;
    auto redraw = [&] {
        const QRect area = dirty.value_or(QRect(0, 0, 1600, 1200));
        dirty.reset();
        redrawnPixels += qint64(area.width()) * area.height();
        QPainter painter(&target);
        painter.setClipRect(area);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.translate(0, target.height());
        painter.scale(1, -1);
        kit::GraphicsContext gc(painter);
        window.rootView()->drawTree(
            gc, kit::Rect(area.x(), 1200 - area.y() - area.height(), area.width(), area.height()));
    };
    redraw(); // the first draw decodes the levels the screen needs
    redrawnPixels = 0;

    KLFreeLayoutItem* dragged = canvas->items()[4];
    const kit::Point from = dragged->frame().centre();
    window.mouseDown({ from, 1, {} });
    int step = 0;
    for (auto _ : state) {
        ++step;
        window.mouseDragged({ from + kit::Point(step % 40, -(step % 30)), 1, {} });
        redraw();
    }
    window.mouseUp({ from, 1, {} });
    state.counters["redrawn_px"] =
        benchmark::Counter(double(redrawnPixels), benchmark::Counter::kAvgIterations);
}

// The editor's export: the canvas resized to 3072 × 3072, rendered and
// written as PNG; photos read from their files each time.
void BM_ExportScatteredPng3072(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.png"));
    for (auto _ : state) {
        KLFreeLayoutView canvas({ 0, 0, 1024, 1024 });
        scatter(canvas);
        canvas.setFrame({ 0, 0, 3072, 3072 });
        if (!canvas.saveToURL(out, kit::ImageFormat::Png))
            state.SkipWithError("export failed");
    }
    state.counters["peak_MiB"] = peakMiB();
}

} // namespace

BENCHMARK(BM_DragRedraw1600x1200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportScatteredPng3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
