// Markup text: building and laying out a plain title (the baseline) against
// a title full of mathematics, the same drawn into an image through Qt, and
// the hostile cases (a megabyte of text, 10,000 nested braces).
#include "platform/qt_canvas.h"
#include "render/markup_parser.h"
#include "render/recording_canvas.h"
#include "render/text_block.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <string>

namespace {

const char* const kPlain = "Damped oscillation of the test mass (run 4)";
const char* const kMath =
    "Damped oscillation: $x(t) = A e^{-\\gamma t} \\cos(\\omega_0 t + \\phi)$, "
    "$\\sum_{i=1}^n \\frac{x_i^2}{\\sigma_i}$";

void EnsureApp()
{
    static int argc = 1;
    static char name[] = "bench_markup";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

void LayOut(benchmark::State& state, const std::string& text)
{
    LogFont font;
    RecordingCanvas canvas;
    for (auto _ : state) {
        TextBlock block;
        block.SetText(text, font, 0, 0);
        benchmark::DoNotOptimize(block.Layout(canvas).Width());
    }
}

void BM_LayOutPlainTitle(benchmark::State& state) { LayOut(state, kPlain); }
BENCHMARK(BM_LayOutPlainTitle);

void BM_LayOutMathTitle(benchmark::State& state) { LayOut(state, kMath); }
BENCHMARK(BM_LayOutMathTitle);

void Draw(benchmark::State& state, const std::string& text)
{
    EnsureApp();
    QImage image(800, 100, QImage::Format_RGB32);
    LogFont font;
    font.height = -21;
    TextBlock block;
    block.SetText(text, font, 0, 0);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(painter);
        block.Draw(canvas, 10, 60);
    }
}

void BM_DrawPlainTitleQt(benchmark::State& state) { Draw(state, kPlain); }
BENCHMARK(BM_DrawPlainTitleQt)->Unit(benchmark::kMicrosecond);

void BM_DrawMathTitleQt(benchmark::State& state) { Draw(state, kMath); }
BENCHMARK(BM_DrawMathTitleQt)->Unit(benchmark::kMicrosecond);

void BM_BuildMegabyteOfMath(benchmark::State& state)
{
    std::string text;
    while (text.size() < 1000000)
        text += "$x_{i}^{2}$ \\frac{a}{b} ";
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTextTree(text, 14).get());
}
BENCHMARK(BM_BuildMegabyteOfMath)->Unit(benchmark::kMillisecond);

void BM_BuildTenThousandNestedBraces(benchmark::State& state)
{
    const std::string text = "$" + std::string(10000, '{') + "x" + std::string(10000, '}') + "$";
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTextTree(text, 14).get());
}
BENCHMARK(BM_BuildTenThousandNestedBraces)->Unit(benchmark::kMicrosecond);

} // namespace
