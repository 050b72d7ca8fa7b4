// Thumbnails of the shipped template library on a first start, when none
// exist yet: how long the library takes to appear (its constructor, which
// only starts the renders) and until every thumbnail has arrived, against
// rendering them one after the other on the main thread.
//
//   build/bench/template_library_bench --benchmark_min_time=1

#include "kit/folders.h"
#include "template/klresourcelistview.h"

#include <benchmark/benchmark.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

// A fresh user folder per run, so that every thumbnail is missing.
class FirstStart
{
public:
    FirstStart() { qputenv("TESSERA_DOCUMENTS", m_dir.path().toUtf8()); }
    QString templates() const { return m_dir.path() + QStringLiteral("/Templates"); }

private:
    QTemporaryDir m_dir;
};

void BM_LibraryAppears(benchmark::State& state)
{
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FirstStart start;
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        KLResourceListView library({ 0, 0, 180, 400 });
        const double shown = clock.nsecsElapsed() / 1e9;
        QDeadlineTimer deadline(120000);
        while (library.pendingThumbnails() > 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        state.counters["shown_ms"] = shown * 1000;
        count = int(library.resourcePaths().size());
    }
    state.counters["templates"] = count;
    state.counters["workers"] = KLGridLibraryView::workerPool().maxThreadCount();
}
BENCHMARK(BM_LibraryAppears)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The peer: a library that seeds and then renders one thumbnail after the
// other on the calling thread, before it can show anything.
void BM_SerialRenders(benchmark::State& state)
{
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FirstStart start;
        state.ResumeTiming();
        kit::Folders::copyItem(kit::Folders::resourceFolder(kit::LibraryFolder::Templates),
                               start.templates());
        const QStringList files =
            QDir(start.templates()).entryList({ QStringLiteral("*.fdd") }, QDir::Files);
        for (const QString& file : files) {
            const QString path = start.templates() + u'/' + file;
            benchmark::DoNotOptimize(
                KLResourceListView::renderThumbnail(path, KLResourceListView::thumbnailPath(path)));
        }
        count = int(files.size());
    }
    state.counters["templates"] = count;
}
BENCHMARK(BM_SerialRenders)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
