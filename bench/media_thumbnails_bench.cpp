// The media browser on a folder of 1,000 corpus-sized JPEGs (6000 × 4000):
// how soon the first thumbnails show, how long until every thumbnail is
// made, how long the window's thread is ever kept from answering (the
// longest gap of a 1 ms timer on the main thread), and the same for a second
// start that finds every thumbnail in the cache.
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) holds p1.jpg .. p9.jpg;
//   ../shared/bench/make-corpus builds it. The folder is made of hard links
//   (or symbolic links) to them under a temporary folder.

#include "media/klmediabrowserhost.h"
#include "media/medianodeviewcontroller.h"
#include "media/thumbnailloader.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {

constexpr int kPhotos = 1000;

QString corpusFile(int i)
{
    const QByteArray env = qgetenv("TESSERA_CORPUS");
    const QString dir =
        env.isEmpty() ? QStringLiteral("/tmp/tessera-corpus") : QString::fromLocal8Bit(env);
    return dir + QStringLiteral("/p%1.jpg").arg(i);
}

class NoKeychain : public Keychain
{
public:
    Result findGenericPassword(const QString&) override { return { 1, {} }; }
    Result account(const QString&) override { return { 1, {} }; }
};

struct Run
{
    double firstMs = -1;
    double firstScreenMs = -1;
    double allMs = -1;
    double maxStallMs = 0;
    int fromCache = 0;
};

// One start of the browser on `folder`: the pane shown, the Pictures source
// chosen, then every thumbnail asked for as a person scrolling through.
Run browse(const QString& folder, const QString& cacheRoot)
{
    NoKeychain keychain;
    KLMediaBrowserHost::Setup setup;
    setup.keychain = &keychain;
    setup.environment.picturesFolder = folder;
    setup.environment.dataHome = cacheRoot + "/none";
    setup.environment.configHome = cacheRoot + "/none";
    setup.thumbnails = ThumbnailCache(cacheRoot + "/thumbnails");
    setup.onlineCacheFolder = cacheRoot + "/online";

    Run run;
    QElapsedTimer clock;
    clock.start();
    QWidget pane;
    pane.resize(320, 900);
    KLMediaBrowserHost host(&pane, setup);
    pane.show();
    ThumbnailLoader& loader = host.thumbnailLoader();
    QObject::connect(&loader, &ThumbnailLoader::thumbnailReady, [&] {
        const double now = clock.nsecsElapsed() / 1e6;
        if (run.firstMs < 0)
            run.firstMs = now;
    });
    QObject::connect(&host.libraryController(), &MediaLibraryController::nodesChanged, [&] {
        const auto nodes = host.libraryController().topNodes();
        if (!nodes.empty() && host.nodeViewController()->selectedNodeIdentifier().isEmpty())
            host.nodeViewController()->selectNode(nodes.front()->identifier);
    });
    host.loadLibraryView();

    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    qint64 last = clock.nsecsElapsed();
    bool askedAll = false;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        run.maxStallMs = std::max(run.maxStallMs, (now - last) / 1e6);
        if (qEnvironmentVariableIsSet("MEDIA_BENCH_STALLS") && now - last > 20000000)
            qWarning("stall of %.1f ms ending at %.1f ms", (now - last) / 1e6, now / 1e6);
        last = now;
        // The first screen is done when the grid's own requests are served.
        if (run.firstScreenMs < 0 && run.firstMs >= 0 && loader.pending() == 0)
            run.firstScreenMs = now / 1e6;
        // After the first screen, the rest as the person scrolls on.
        if (!askedAll && run.firstScreenMs >= 0) {
            askedAll = true;
            for (int i = kPhotos - 1; i >= 0; --i)
                loader.thumbnail(folder
                                 + QStringLiteral("/photo%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        }
        if (askedAll && loader.pending() == 0) {
            run.allMs = now / 1e6;
            loop.quit();
        }
    });
    tick.start(1);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    run.fromCache = loader.deliveredFromCache();
    return run;
}

void BM_MediaBrowserThousandPhotos(benchmark::State& state)
{
    for (int i = 1; i <= 9; ++i) {
        if (!QFile::exists(corpusFile(i))) {
            state.SkipWithError("corpus missing: run ../shared/bench/make-corpus");
            return;
        }
    }
    QTemporaryDir dir;
    const QString folder = dir.path() + "/Pictures";
    QDir().mkpath(folder);
    for (int i = 0; i < kPhotos; ++i) {
        const QByteArray target = QFile::encodeName(corpusFile(i % 9 + 1));
        const QByteArray link = QFile::encodeName(
            folder + QStringLiteral("/photo%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        if (::link(target.constData(), link.constData()) != 0)
            QFile::link(QFile::decodeName(target), QFile::decodeName(link));
    }
    Run cold;
    Run warm;
    for (auto _ : state) {
        cold = browse(folder, dir.path() + "/cache");
        warm = browse(folder, dir.path() + "/cache");
    }
    state.counters["first_thumbnail_ms"] = cold.firstMs;
    state.counters["first_screen_ms"] = cold.firstScreenMs;
    state.counters["all_ms"] = cold.allMs;
    state.counters["max_stall_ms"] = cold.maxStallMs;
    state.counters["second_start_all_ms"] = warm.allMs;
    state.counters["second_start_max_stall_ms"] = warm.maxStallMs;
    state.counters["second_start_from_cache"] = warm.fromCache;
}
BENCHMARK(BM_MediaBrowserThousandPhotos)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
