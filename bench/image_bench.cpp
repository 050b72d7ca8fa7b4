// Decoding photos at the size a draw needs, PNG encoding of a collage, and
// the drawing costs of the graphics context (shadows, nine-photo redraws),
// with Qt and libvips as peers.
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) holds p1.jpg .. p9.jpg
//   (6000 × 4000); bench/make-corpus builds it.

#include "kit/graphicscontext.h"
#include "kit/image.h"
#include "kit/imagewriter.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QString corpusFile(int i)
{
    const QByteArray env = qgetenv("TESSERA_CORPUS");
    const QString dir =
        env.isEmpty() ? QStringLiteral("/tmp/tessera-corpus") : QString::fromLocal8Bit(env);
    return dir + QStringLiteral("/p%1.jpg").arg(i);
}

QByteArray photoBytes(int i)
{
    QFile f(corpusFile(i));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool haveCorpus(benchmark::State& state)
{
    for (int i = 1; i <= 9; ++i) {
        if (!QFile::exists(corpusFile(i))) {
            state.SkipWithError("corpus missing: run bench/make-corpus");
            return false;
        }
    }
    return true;
}

// The size a 6000 × 4000 photo is drawn at when a draw asks for 1024 wide.
// The decode benchmarks take the photo number; entropy decoding, which no
// reduced decode avoids, grows with the detail (file size) of the photo.
constexpr QSize kTarget(1024, 683);

void BM_LevelDecode1024(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    const QByteArray bytes = photoBytes(int(state.range(0)));
    for (auto _ : state) {
        // A fresh image each time: nothing cached.
        const auto image = kit::Image::fromData(bytes);
        benchmark::DoNotOptimize(image->pixels(kTarget).constBits());
    }
}

void BM_ExactDecode1024(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    const QByteArray bytes = photoBytes(int(state.range(0)));
    for (auto _ : state) {
        const auto image = kit::Image::fromData(bytes);
        benchmark::DoNotOptimize(image->pixelsExactly(kTarget).constBits());
    }
}

void BM_QtFullDecodeSmoothScale1024(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    const QByteArray bytes = photoBytes(int(state.range(0)));
    for (auto _ : state) {
        const QImage full = QImage::fromData(bytes);
        const QImage scaled = full.scaled(kTarget, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
}

void BM_PrepareNinePhotos1024(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    std::vector<QByteArray> bytes;
    for (int i = 1; i <= 9; ++i)
        bytes.push_back(photoBytes(i));
    for (auto _ : state) {
        std::vector<std::pair<kit::Image, QSize>> requests;
        for (const QByteArray& b : bytes)
            requests.push_back({ *kit::Image::fromData(b), kTarget });
        kit::Image::prepare(requests);
    }
}

// A 3072 × 3072 collage of the nine photos, or a synthetic picture with
// gradients and noise when the corpus is missing.
const QImage& collage()
{
    static const QImage picture = [] {
        QImage out(3072, 3072, QImage::Format_ARGB32_Premultiplied);
        out.fill(Qt::white);
        QPainter p(&out);
        for (int i = 0; i < 9; ++i) {
            const QRect cell((i % 3) * 1024 + 8, (i / 3) * 1024 + 8, 1008, 1008);
            const auto image = kit::Image::load(corpusFile(i + 1));
            if (image) {
                p.drawImage(cell, image->pixelsExactly(cell.size()));
                continue;
            }
            QLinearGradient g(cell.topLeft(), cell.bottomRight());
            g.setColorAt(0, QColor::fromHsv(i * 40, 200, 230));
            g.setColorAt(1, QColor::fromHsv(i * 40 + 120, 160, 90));
            p.fillRect(cell, g);
        }
        p.end();
        if (!QFile::exists(corpusFile(1))) {
            quint32 seed = 1;
            for (int y = 0; y < out.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
                for (int x = 0; x < out.width(); ++x) {
                    seed = seed * 1664525u + 1013904223u;
                    const int n = int(seed >> 29) - 4;
                    const QRgb c = row[x];
                    row[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                                  qBound(0, qBlue(c) + n, 255));
                }
            }
        }
        return out;
    }();
    return picture;
}

void reportSize(benchmark::State& state, const QString& path)
{
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}

void BM_PngEncode3072(benchmark::State& state)
{
    const QImage& image = collage();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.png"));
    for (auto _ : state) {
        if (!kit::writeImage(image, path, kit::ImageFormat::Png, nullptr))
            state.SkipWithError("write failed");
    }
    reportSize(state, path);
}

void BM_QtPngEncode3072(benchmark::State& state)
{
    const QImage& image = collage();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.png"));
    for (auto _ : state) {
        QImageWriter writer(path, "png");
        if (!writer.write(image))
            state.SkipWithError("write failed");
    }
    reportSize(state, path);
}

// libvips saving the same pixels from its own format (so no PNG decode is
// counted), process start-up included.
void BM_VipsPngEncode3072(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("in.v"));
    const QString tiff = dir.filePath(QStringLiteral("in.tif"));
    const QString path = dir.filePath(QStringLiteral("out.png"));
    QImage rgb = collage().convertToFormat(QImage::Format_RGB888);
    if (!rgb.save(tiff)
        || QProcess::execute(QStringLiteral("vips"), { QStringLiteral("copy"), tiff, source })
            != 0) {
        state.SkipWithError("vips is not installed (libvips-tools)");
        return;
    }
    for (auto _ : state)
        QProcess::execute(QStringLiteral("vips"), { QStringLiteral("copy"), source, path });
    reportSize(state, path);
}

// A drawing pass on a y-up painter over `target`.
template<typename Draw> void drawOn(QImage& target, bool highQuality, Draw&& draw)
{
    QPainter painter(&target);
    painter.translate(0, target.height());
    painter.scale(1, -1);
    kit::GraphicsContext gc(painter);
    gc.setHighQuality(highQuality);
    draw(gc);
}

const kit::Shadow kCanvasShadow { 4, { 0, -2 }, QColor(40, 40, 40, 200) };

void BM_ShadowedFill3072(benchmark::State& state)
{
    QImage target(3200, 3200, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        drawOn(target, true, [](kit::GraphicsContext& gc) {
            gc.setShadow(kCanvasShadow);
            gc.setColor(Qt::white);
            gc.fillRoundedRect({ 64, 64, 3072, 3072 }, 24, 24);
        });
    }
}

void BM_ShadowedCircle3072(benchmark::State& state)
{
    QImage target(3200, 3200, QImage::Format_ARGB32_Premultiplied);
    QPainterPath q;
    q.addEllipse(QRectF(64, 64, 3072, 3072));
    const kit::Path circle(q);
    for (auto _ : state) {
        drawOn(target, true, [&](kit::GraphicsContext& gc) {
            gc.setShadow({ 16, { 0, -8 }, QColor(0, 0, 0, 160) });
            gc.fill(circle);
        });
    }
}

// Nine photos, each filling a rounded cell of a 3 × 3 grid, as a template
// canvas draws them: redrawn at 1600 × 1200 once the levels are cached, and
// rendered for export at 3072 × 3072 from freshly loaded photos.
void drawNine(kit::GraphicsContext& gc, const std::vector<kit::Image>& photos, QSize canvas)
{
    const double w = canvas.width() / 3.0, h = canvas.height() / 3.0;
    for (int i = 0; i < 9; ++i) {
        const kit::Rect cell((i % 3) * w + 4, (i / 3) * h + 4, w - 8, h - 8);
        const kit::Image& photo = photos[i];
        // Aspect fill: the photo covers the cell and the mask cuts it.
        const double s = std::max(cell.width() / photo.width(), cell.height() / photo.height());
        const kit::Size size(photo.width() * s, photo.height() * s);
        gc.save();
        gc.clip(kit::Path::roundedRect(cell, 12, 12));
        gc.drawImage(photo,
                     { cell.midX() - size.width / 2, cell.midY() - size.height / 2, size.width,
                       size.height });
        gc.restore();
    }
}

void BM_RedrawNinePhotos1600x1200(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    std::vector<kit::Image> photos;
    for (int i = 1; i <= 9; ++i)
        photos.push_back(*kit::Image::load(corpusFile(i)));
    QImage target(1600, 1200, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    drawOn(target, false, [&](kit::GraphicsContext& gc) { drawNine(gc, photos, target.size()); });
    for (auto _ : state)
        drawOn(target, false,
               [&](kit::GraphicsContext& gc) { drawNine(gc, photos, target.size()); });
}

void BM_RenderNinePhotos3072(benchmark::State& state)
{
    if (!haveCorpus(state))
        return;
    std::vector<QByteArray> bytes;
    for (int i = 1; i <= 9; ++i)
        bytes.push_back(photoBytes(i));
    QImage target(3072, 3072, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        std::vector<kit::Image> photos;
        std::vector<std::pair<kit::Image, QSize>> requests;
        for (const QByteArray& b : bytes) {
            photos.push_back(*kit::Image::fromData(b));
            requests.push_back({ photos.back(), { 1536, 1024 } });
        }
        kit::Image::prepare(requests);
        target.fill(Qt::white);
        drawOn(target, true, [&](kit::GraphicsContext& gc) {
            gc.setShadow(kCanvasShadow);
            drawNine(gc, photos, target.size());
        });
    }
}

} // namespace

BENCHMARK(BM_LevelDecode1024)->Arg(1)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExactDecode1024)->Arg(1)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QtFullDecodeSmoothScale1024)
    ->Arg(1)
    ->Arg(3)
    ->Arg(9)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PrepareNinePhotos1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngEncode3072)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QtPngEncode3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_VipsPngEncode3072)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ShadowedFill3072)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShadowedCircle3072)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedrawNinePhotos1600x1200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderNinePhotos3072)->Unit(benchmark::kMillisecond)->UseRealTime();
