// Typing into the caption settings panel: one key in the panel's text field
// changes the caption on a 1600 × 1200 template canvas whose nine cells show
// 24-megapixel photos, and the window redraws what the caption covers, as
// the view host does for each key.
//
//   TESSERA_CORPUS (default /tmp/tessera-corpus) must hold p1.jpg .. p9.jpg;
//   ../shared/bench/make-corpus builds it.

#include "app/kltextsettingscontroller.h"
#include "kit/folders.h"
#include "kit/graphicscontext.h"
#include "kit/image.h"
#include "kit/window.h"
#include "template/klresourceview.h"
#include "text/kltextview.h"

#include "benchcorpus.h"

#include <benchmark/benchmark.h>

#include <optional>

#include <QFile>
#include <QPainter>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

void BM_TypeIntoPanelRedraw1600x1200(benchmark::State& state)
{
    std::vector<std::optional<kit::Image>> photos;
    for (int i = 1; i <= 9; ++i) {
        std::optional<kit::Image> photo =
            kit::Image::load(corpus() + QStringLiteral("/p%1.jpg").arg(i));
        if (!photo) {
            state.SkipWithError("corpus missing: run ../shared/bench/make-corpus");
            return;
        }
        photos.push_back(photo);
    }
    constexpr int kW = 1600, kH = 1200;
    kit::Window window;
    window.setContentSize({ kW, kH });
    window.setRootView(std::make_unique<kit::View>());
    auto* canvas =
        window.rootView()->addSubview(std::make_unique<KLResourceView>(kit::Rect { 0, 0, kW, kH }));
    if (!canvas->loadResourceFromPath(
            kit::Folders::resourcePath(QStringLiteral("Templates/grid-3x3.fdd")))) {
        state.SkipWithError("template grid-3x3.fdd missing");
        return;
    }
    canvas->fillCells(photos, canvas->items().front());
    KLTextView* caption = canvas->addTextView(QStringLiteral("Summer"), canvas->textAnchor());

    QWidget mainWindow;
    KLTextSettingsController panel(&mainWindow);
    panel._setTextView(caption);

    // Redraws what the window asks for, as the view host does.
    std::optional<QRect> dirty;
    window.onNeedsDisplayInRect = [&dirty](const kit::Rect& r) {
        const QRect area = QRectF(r.x(), kH - r.maxY(), r.width(), r.height())
                               .toAlignedRect()
                               .adjusted(-1, -1, 1, 1)
                               .intersected(QRect(0, 0, kW, kH));
        dirty = dirty ? dirty->united(area) : area;
    };
    QImage target(kW, kH, QImage::Format_ARGB32_Premultiplied);
    qint64 redrawnPixels = 0;
    auto redraw = [&] {
        const QRect area = dirty.value_or(QRect(0, 0, kW, kH));
        dirty.reset();
        redrawnPixels += qint64(area.width()) * area.height();
        QPainter painter(&target);
        painter.setClipRect(area);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.translate(0, kH);
        painter.scale(1, -1);
        kit::GraphicsContext gc(painter);
        window.rootView()->drawTree(
            gc, kit::Rect(area.x(), kH - area.y() - area.height(), area.width(), area.height()));
    };
    redraw(); // the first draw decodes the levels the screen needs
    redrawnPixels = 0;

    QPlainTextEdit* field = panel.text();
    const QString keys = QStringLiteral("Summer at the lake 湖边的夏天 ");
    int typed = 0;
    for (auto _ : state) {
        // A line that grows, then starts again, as a person types and deletes.
        if (field->toPlainText().size() > 40)
            field->setPlainText(QString());
        field->moveCursor(QTextCursor::End);
        field->insertPlainText(keys.at(typed++ % keys.size()));
        redraw();
    }
    state.counters["redrawn_px"] =
        benchmark::Counter(double(redrawnPixels), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_TypeIntoPanelRedraw1600x1200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
