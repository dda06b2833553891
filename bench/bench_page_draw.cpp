// Drawing the page: the empty 4 x 4 page into a 1600 x 1200 image, and a
// redraw of an unchanged page, which hands out the off-screen copy again.
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/page_buffer.h"
#include "platform/page_image.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

void EnsureApp()
{
    static int argc = 1;
    static char name[] = "bench_page_draw";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

CTarnDoc& FourByFour()
{
    static CTarnDoc doc;
    static bool arranged = false;
    if (!arranged) {
        SilentMessages messages;
        ArrangeRequest request;
        request.rows = request.columns = "4";
        ArrangeSizes sizes = ComputeArrangeSizes("4", "4", "0.1", "0.1");
        request.width = sizes.width;
        request.height = sizes.height;
        doc.Arrange(request, messages);
        arranged = true;
    }
    return doc;
}

void BM_DrawEmpty4x4Page(benchmark::State& state)
{
    EnsureApp();
    CTarnDoc& doc = FourByFour();
    PageBuffer buffer;
    for (auto _ : state) {
        buffer.Invalidate();
        benchmark::DoNotOptimize(buffer.Image(doc, QSize(1600, 1200)).constBits());
    }
}
BENCHMARK(BM_DrawEmpty4x4Page)->Unit(benchmark::kMillisecond);

void BM_RedrawUnchanged4x4Page(benchmark::State& state)
{
    EnsureApp();
    CTarnDoc& doc = FourByFour();
    PageBuffer buffer;
    buffer.Image(doc, QSize(1600, 1200));
    for (auto _ : state)
        benchmark::DoNotOptimize(buffer.Image(doc, QSize(1600, 1200)).constBits());
    state.counters["drawings"] = buffer.DrawCount();
}
BENCHMARK(BM_RedrawUnchanged4x4Page);

void BM_ExportImage4x4Page(benchmark::State& state)
{
    EnsureApp();
    CTarnDoc& doc = FourByFour();
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPageImage(doc, QSize(1600, 1200)).constBits());
}
BENCHMARK(BM_ExportImage4x4Page)->Unit(benchmark::kMillisecond);

} // namespace
