// One full paint of each control as the pages use it, offscreen: the knob over the wallpaper,
// the multipart knob on its face picture and the operator's envelope graph.
#include "controls/control_styles.h"
#include "controls/envelope_graph.h"
#include "controls/knob.h"
#include "controls/pictures.h"
#include "controls/wallpaper.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {
// Paints the widget as the screen would, into an image of its size, once per iteration;
// `between` runs before each paint.
template <class Between>
void paintRepeatedly(benchmark::State& state, QWidget& widget, Between between) {
    QImage target(widget.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        between();
        widget.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void paintRepeatedly(benchmark::State& state, QWidget& widget) {
    paintRepeatedly(state, widget, [] {});
}

void PatchKnobOnWallpaper(benchmark::State& state) {
    TWallpaper wallpaper;
    stylePatchWallpaper(wallpaper, Pictures::Wallpaper());
    TKnob knob(&wallpaper);
    stylePatchKnob(knob);
    knob.move(760, 640); // where the four tiles meet
    knob.SetMax(99);
    knob.SetPosition(50);
    paintRepeatedly(state, knob);
}
BENCHMARK(PatchKnobOnWallpaper)->Unit(benchmark::kMicrosecond);

void MultipartImageKnob(benchmark::State& state) {
    QWidget page;
    page.resize(200, 200);
    TKnob knob(&page);
    styleMultipartKnob(knob, Pictures::MultipartKnob());
    knob.move(20, 20);
    knob.SetPosition(64);
    paintRepeatedly(state, knob);
}
BENCHMARK(MultipartImageKnob)->Unit(benchmark::kMicrosecond);

void OperatorGraph(benchmark::State& state) {
    Tmbadsr2 graph;
    styleOperatorGraph(graph);
    const int values[] = {16, 32, 16, 24, 16, 16, 16, 0};
    for (int i = 0; i < 8; ++i)
        graph.SetValue(values[i], i);
    paintRepeatedly(state, graph);
}
BENCHMARK(OperatorGraph)->Unit(benchmark::kMicrosecond);

// The operator panel recolours a graph when its operator is selected: the bands are cut again.
void OperatorGraphRecoloured(benchmark::State& state) {
    Tmbadsr2 graph;
    styleOperatorGraph(graph);
    bool selected = false;
    paintRepeatedly(state, graph, [&] {
        selected = !selected;
        graph.SetGradientColor(selected ? Colours::Yellow : Colours::Navy);
    });
}
BENCHMARK(OperatorGraphRecoloured)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
