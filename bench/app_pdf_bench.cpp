// A PDF page of a nine-cell template collage of 24-megapixel photos, at A4
// and 300 dots per inch: the time to write it, from photos not yet decoded,
// and the size of the file (counter "MB").
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) must hold p1.jpg .. p9.jpg;
//   `make bench` builds it.

#include "app/collagepdf.h"
#include "app/exportsettings.h"
#include "template/klresourceview.h"

#include "kit/image.h"

#include "benchcorpus.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void BM_PdfA4At300Dpi(benchmark::State& state)
{
    QStringList photos;
    for (int i = 1; i <= 9; ++i) {
        photos << corpus() + QStringLiteral("/p%1.jpg").arg(i);
        if (!QFile::exists(photos.back())) {
            state.SkipWithError("corpus missing: run make bench");
            return;
        }
    }
    QTemporaryDir dir;
    const QString templatePath = nineCellTemplate(dir);
    const QString out = dir.filePath(QStringLiteral("collage.pdf"));
    const pagesetup::FrameForWidth square = [](double w) {
        return exportsettings::ratioOutputSize(w, { 1, 1 });
    };
    for (auto _ : state) {
        // Fresh images each time: decoding is part of exporting a collage
        // just opened.
        KLResourceView canvas({ 0, 0, 800, 800 });
        canvas.loadResourceFromPath(templatePath);
        std::vector<std::optional<kit::Image>> images;
        for (const QString& p : photos)
            images.push_back(kit::Image::load(p));
        canvas.fillCells(images, canvas.items().front());
        canvas._setBackgroundView(BackgroundEntry { 0, {}, {} });
        QString error;
        if (!writeCollagePdf(canvas, square, PdfOptions {}, out, &error))
            state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["MB"] = QFileInfo(out).size() / 1e6;
}

} // namespace

BENCHMARK(BM_PdfA4At300Dpi)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
