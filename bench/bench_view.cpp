// The view with cross hairs on over a page holding a million-point set: the
// cost of one mouse move with its repaint (the page picture is reused, the
// graphs are not drawn again), against one full page drawing; and the export
// of a 4000 x 3000 PNG.
#include "app/tarn_view.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/page_raster.h"
#include "render/graph.h"
#include "render/raster_image.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

void EnsureApp()
{
    static int argc = 1;
    static char name[] = "bench_view";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

CTarnDoc& MillionPointPage()
{
    static CTarnDoc doc;
    static bool filled = false;
    if (!filled) {
        SilentMessages messages;
        Plot plot;
        for (int i = 0; i < 1000000; ++i)
            plot.AddPoint(float(i) * 1e-3f, std::sin(float(i) * 1e-3f));
        plot.m_lineStyle = 0;
        Graph& graph = doc.CurrentGraph();
        graph.m_plots.Append(plot);
        graph.SyncPlotGeometry();
        graph.AutoScale(true, messages);
        filled = true;
    }
    return doc;
}

// One mouse move with cross hairs on, and the paint it asks for.
void BM_CrossHairMouseMove(benchmark::State& state)
{
    EnsureApp();
    CTarnDoc& doc = MillionPointPage();
    SilentMessages messages;
    CTarnView view(doc, messages);
    view.resize(1000, 750);
    view.OnCommand(CommandId::ViewCrossHairs);
    QImage target(1000, 750, QImage::Format_RGB32);
    view.render(&target);
    const int drawn = view.RenderCount();
    int x = 100;
    for (auto _ : state) {
        x = x >= 900 ? 100 : x + 1;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 300), QPointF(x, 300), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
        // Repaint the strips under the old and the new cross, as the window would.
        view.render(&target, QPoint(x - 2, 0), QRegion(x - 2, 0, 5, 750));
        view.render(&target, QPoint(0, 298), QRegion(0, 298, 1000, 5));
    }
    state.counters["page drawings"] = double(view.RenderCount() - drawn);
}
BENCHMARK(BM_CrossHairMouseMove)->Unit(benchmark::kMicrosecond);

// The baseline: drawing the whole million-point page once, as every mouse
// move would cost if the page were drawn again.
void BM_FullPageDraw(benchmark::State& state)
{
    EnsureApp();
    CTarnDoc& doc = MillionPointPage();
    SilentMessages messages;
    CTarnView view(doc, messages);
    view.resize(1000, 750);
    QImage target(1000, 750, QImage::Format_RGB32);
    for (auto _ : state) {
        view.Refresh();
        view.render(&target);
    }
}
BENCHMARK(BM_FullPageDraw)->Unit(benchmark::kMillisecond);

// A 4000 x 3000 PNG of a page with a 10,000-point set: rendering and writing.
void BM_ExportPng4000x3000(benchmark::State& state)
{
    EnsureApp();
    static CTarnDoc doc;
    SilentMessages messages;
    if (doc.CurrentGraph().m_plots.Count() == 0) {
        Plot plot;
        for (int i = 0; i < 10000; ++i)
            plot.AddPoint(float(i), std::sin(float(i) * 0.01f));
        doc.CurrentGraph().m_plots.Append(plot);
        doc.CurrentGraph().SyncPlotGeometry();
        doc.CurrentGraph().AutoScale(true, messages);
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("bench_view_" + std::to_string(::getpid()) + ".png"))
                                 .string();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportPageImage(doc, path, ImageFormat::Png, 4000, 3000, messages));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportPng4000x3000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Rendering alone, for the share of the encoder in the export.
void BM_RenderRaster4000x3000(benchmark::State& state)
{
    EnsureApp();
    CTarnDoc doc;
    for (auto _ : state) {
        RasterImage image;
        benchmark::DoNotOptimize(RenderPageToRaster(doc, 4000, 3000, image));
    }
}
BENCHMARK(BM_RenderRaster4000x3000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
