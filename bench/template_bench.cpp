// Export and redraw of a nine-cell template collage of 24-megapixel photos,
// with a libvips pipeline over the same photos as the peer.
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) must hold p1.jpg .. p9.jpg;
//   bench/make-corpus builds it.

#include "kit/graphicscontext.h"
#include "kit/image.h"
#include "kit/imagewriter.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include "benchcorpus.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

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
            state.SkipWithError("corpus missing: run bench/make-corpus");
            return false;
        }
    }
    return true;
}

void loadCollage(KLResourceView& canvas, const QString& templatePath)
{
    canvas.loadResourceFromPath(templatePath);
    std::vector<std::optional<kit::Image>> photos;
    for (const QString& p : photoPaths())
        photos.push_back(kit::Image::load(p));
    canvas.fillCells(photos, canvas.items().front());
}

void exportCollage(benchmark::State& state, kit::ImageFormat format, const char* extension)
{
    if (!haveCorpus(state))
        return;
    QTemporaryDir dir;
    const QString templatePath = nineCellTemplate(dir);
    const QString out = dir.filePath(QStringLiteral("out.") + QLatin1String(extension));
    for (auto _ : state) {
        // Fresh images each time: reading and decoding the photos is part of
        // an export from a just-opened collage.
        KLResourceView canvas({ 0, 0, 3072, 3072 });
        loadCollage(canvas, templatePath);
        if (!canvas.saveToURL(out, format))
            state.SkipWithError("export failed");
    }
}

void vipsPipeline(benchmark::State& state, const char* extension)
{
    if (!haveCorpus(state))
        return;
    if (QProcess::execute(QStringLiteral("vips"), { QStringLiteral("--version") }) != 0) {
        state.SkipWithError("vips is not installed (libvips-tools)");
        return;
    }
    QTemporaryDir dir;
    for (auto _ : state) {
        QStringList cells;
        const QStringList photos = photoPaths();
        for (int i = 0; i < photos.size(); ++i) {
            const QString cell = dir.filePath(QStringLiteral("c%1.v").arg(i));
            QProcess::execute(QStringLiteral("vips"),
                              { QStringLiteral("thumbnail"), photos[i], cell,
                                QStringLiteral("1024"), QStringLiteral("--height"),
                                QStringLiteral("1024"), QStringLiteral("--crop"),
                                QStringLiteral("centre") });
            cells << cell;
        }
        QProcess::execute(QStringLiteral("vips"),
                          { QStringLiteral("arrayjoin"), cells.join(QLatin1Char(' ')),
                            dir.filePath(QStringLiteral("out.") + QLatin1String(extension)),
                            QStringLiteral("--across"), QStringLiteral("3") });
    }
}

void BM_ExportPng3072(benchmark::State& state)
{
    exportCollage(state, kit::ImageFormat::Png, "png");
}
void BM_ExportJpeg3072(benchmark::State& state)
{
    exportCollage(state, kit::ImageFormat::Jpeg, "jpg");
}
void BM_VipsPng3072(benchmark::State& state)
{
    vipsPipeline(state, "png");
}
void BM_VipsJpeg3072(benchmark::State& state)
{
    vipsPipeline(state, "jpg");
}

// A whole `tessera render` of the collage in a process of its own: start,
// reading the photos, the render and the file. The peak resident size of
// the process (as the kernel counts it) is the `peak_MiB` counter.
void renderCommand(benchmark::State& state, const char* extension)
{
#ifdef TESSERA_APP
    if (!haveCorpus(state))
        return;
    QTemporaryDir dir;
    std::vector<QByteArray> args = {
        TESSERA_APP,
        "render",
        "--template",
        QFile::encodeName(nineCellTemplate(dir)),
        "--size",
        "3072x3072",
        "--output",
        QFile::encodeName(dir.filePath(QStringLiteral("out.") + QLatin1String(extension)))
    };
    for (const QString& p : photoPaths()) {
        args.push_back("--photo");
        args.push_back(QFile::encodeName(p));
    }
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    long peakKiB = 0;
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("tessera could not be started");
            return;
        }
        int status = 0;
        rusage usage {};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("tessera render failed");
            return;
        }
        peakKiB = std::max(peakKiB, usage.ru_maxrss);
    }
    state.counters["peak_MiB"] = double(peakKiB) / 1024;
#else
    (void)extension;
    state.SkipWithError("built without the application");
#endif
}

void BM_RenderCommandPng3072(benchmark::State& state)
{
    renderCommand(state, "png");
}
void BM_RenderCommandJpeg3072(benchmark::State& state)
{
    renderCommand(state, "jpg");
}

// One redraw of the canvas at 1600 × 1200, as each step of a pan drag causes.
void BM_CanvasRedraw1600x1200(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    QTemporaryDir dir;
    KLResourceView canvas({ 0, 0, 1600, 1200 });
    loadCollage(canvas, nineCellTemplate(dir));
    QImage target(1600, 1200, QImage::Format_ARGB32_Premultiplied);
    auto redraw = [&] {
        QPainter painter(&target);
        painter.translate(0, target.height());
        painter.scale(1, -1);
        kit::GraphicsContext gc(painter);
        canvas.drawTree(gc, canvas.bounds());
    };
    redraw(); // the first draw decodes the levels the screen needs
    int step = 0;
    for (auto _ : state) {
        KLResourceItem* cell = canvas.items()[step++ % canvas.items().size()];
        cell->_setImagePosition({ double(step % 7), double(step % 5) });
        redraw();
    }
}

} // namespace

BENCHMARK(BM_ExportPng3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_VipsPng3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExportJpeg3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_VipsJpeg3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RenderCommandPng3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RenderCommandJpeg3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CanvasRedraw1600x1200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
