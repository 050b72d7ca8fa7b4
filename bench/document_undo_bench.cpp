// Undo and redo of a nine-cell template collage of 24-megapixel photos: the
// canvases put back from the descriptions before and after an edit, then
// drawn as the window draws them. Against a plain redraw, this shows what a
// step costs beyond drawing, and that photos are not decoded again.
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) must hold p1.jpg .. p9.jpg;
//   bench/make-corpus builds it.

#include "document/collagedescription.h"
#include "document/collagerestore.h"
#include "document/offscreencollage.h"
#include "kit/image.h"
#include "kit/render.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include "benchcorpus.h"

#include <benchmark/benchmark.h>

#include <functional>

#include <QFile>
#include <QTemporaryDir>

namespace {

struct Collage
{
    QTemporaryDir dir;
    OffscreenCollage editor { { 0, 0, 1200, 1200 } };
    bool ok = false;

    Collage()
    {
        KLResourceView& canvas = editor.templateCanvas();
        canvas.loadResourceFromPath(nineCellTemplate(dir));
        std::vector<std::optional<kit::Image>> photos;
        for (int i = 1; i <= 9; ++i) {
            const QString path = corpus() + QStringLiteral("/p%1.jpg").arg(i);
            if (!QFile::exists(path))
                return;
            photos.push_back(kit::Image::load(path));
        }
        canvas.fillCells(photos, canvas.items().front());
        kit::renderToImage(canvas); // the levels a redraw needs
        ok = true;
    }

    QImage draw() { return kit::renderToImage(editor.templateCanvas()); }
};

// Steps back and forth between `before` and the collage after `edit`.
void steps(benchmark::State& state, const std::function<void(KLResourceView&)>& edit)
{
    Collage c;
    if (!c.ok) {
        state.SkipWithError("corpus missing: run bench/make-corpus");
        return;
    }
    const CollageDocument before = describeCollage(c.editor);
    edit(c.editor.templateCanvas());
    const CollageDocument after = describeCollage(c.editor);
    bool back = true;
    for (auto _ : state) {
        restoreCollage(c.editor, describeCollage(c.editor), back ? before : after);
        benchmark::DoNotOptimize(c.draw());
        back = !back;
    }
}

void BM_Redraw(benchmark::State& state)
{
    Collage c;
    if (!c.ok) {
        state.SkipWithError("corpus missing: run bench/make-corpus");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(c.draw());
}

void BM_UndoPan(benchmark::State& state)
{
    steps(state, [](KLResourceView& canvas) {
        KLResourceItem* cell = canvas.items().front();
        cell->_setImagePosition({ -40, -25 });
    });
}

void BM_UndoClear(benchmark::State& state)
{
    steps(state, [](KLResourceView& canvas) { canvas.clear(); });
}

void BM_UndoSwap(benchmark::State& state)
{
    steps(state,
          [](KLResourceView& canvas) { canvas.swapPhotos(canvas.items()[0], canvas.items()[8]); });
}

} // namespace

BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoPan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoSwap)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoClear)->Unit(benchmark::kMillisecond)->UseRealTime();
