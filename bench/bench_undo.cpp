// An undo step on a page of 1,000,000 points: recording an edit, and an
// undo with its redo, beside what a step would cost without shared storage
// (a plain copy of the set) and beside one redraw of the same page.
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/page_buffer.h"
#include "render/graph.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <string>

namespace {

constexpr int kPoints = 1000000;

CTarnDoc& MillionPointPage()
{
    static CTarnDoc doc;
    static bool filled = false;
    if (!filled) {
        Plot plot;
        for (int i = 0; i < kPoints; ++i)
            plot.AddPoint(float(i), float(i % 1000) * 0.001f);
        plot.m_handOver = 1;
        doc.CurrentGraph().m_plots.Append(plot);
        SilentMessages messages;
        doc.CurrentGraph().AutoScale(true, messages);
        doc.ResetHistory();
        filled = true;
    }
    return doc;
}

void BM_UndoRecordEdit(benchmark::State& state)
{
    CTarnDoc& doc = MillionPointPage();
    int edit = 0;
    for (auto _ : state) {
        doc.CurrentGraph().m_title.m_text = "edit " + std::to_string(++edit);
        doc.SetModifiedFlag();
    }
    state.counters["heldMB"] = double(doc.History().HeldBytes(doc)) / (1 << 20);
}
BENCHMARK(BM_UndoRecordEdit)->Unit(benchmark::kMicrosecond);

void BM_UndoThenRedo(benchmark::State& state)
{
    CTarnDoc& doc = MillionPointPage();
    doc.CurrentGraph().m_title.m_text = "to undo";
    doc.SetModifiedFlag();
    for (auto _ : state) {
        doc.Undo();
        doc.Redo();
    }
}
BENCHMARK(BM_UndoThenRedo)->Unit(benchmark::kMicrosecond);

// What each step would cost if it copied the points.
void BM_CopyOfTheSet(benchmark::State& state)
{
    const Plot& set = MillionPointPage().CurrentGraph().m_plots.Get(0);
    for (auto _ : state) {
        Plot copy(set);
        benchmark::DoNotOptimize(copy.PointCount());
    }
}
BENCHMARK(BM_CopyOfTheSet)->Unit(benchmark::kMicrosecond);

void BM_RedrawOfThePage(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "bench_undo";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
    CTarnDoc& doc = MillionPointPage();
    PageBuffer buffer;
    for (auto _ : state) {
        buffer.Invalidate();
        benchmark::DoNotOptimize(buffer.Image(doc, QSize(800, 600)).constBits());
    }
}
BENCHMARK(BM_RedrawOfThePage)->Unit(benchmark::kMicrosecond);

} // namespace
