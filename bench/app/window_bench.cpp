// The editor window on the in-process devices of the demo: the time from nothing to the first
// painted window (and the memory it then holds), and one full repaint of each page, offscreen.
#include "app/editor_session.h"
#include "edit/system_services.h"
#include "sim/virtual_studio.h"
#include "views/console_prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

// The program's resident memory, in megabytes.
double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Everything the program makes for a demo window, in the order it makes it.
struct Demo {
    QTemporaryDir folder;
    VirtualStudio studio;
    ConsolePrompter prompts{QStringLiteral("window_bench")};
    NoFileChooser files;
    MemorySettings settings;
    SystemClock clock;
    ThreadSleeper sleeper;
    UniformRandom random;
    std::optional<EditorSession> session;

    Demo() {
        const QString devices = QStringLiteral("MidiDevices");
        settings.SetValue(devices, QStringLiteral("Input"), VirtualStudio::SynthName);
        settings.SetValue(devices, QStringLiteral("Output"), VirtualStudio::SynthName);
        settings.SetValue(devices, QStringLiteral("CtrlInput"), VirtualStudio::ControllerName);
        settings.SetValue(devices, QStringLiteral("CtrlOutput"), VirtualStudio::ControllerName);
    }
    void start() {
        session.emplace(studio.Service(), prompts, files, settings, clock, sleeper, random,
                        QDir(folder.path()));
        session->StartUp(3);
    }
};

void StartToFirstPaintedWindow(benchmark::State& state) {
    double megabytes = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        Demo demo;
        demo.start();
        TfMidi& window = demo.session->Window();
        window.show();
        window.repaint(); // the first paint, whole, as the screen gets it
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        megabytes = std::max(megabytes, residentMegabytes());
    }
    state.counters["resident_MB"] = megabytes;
}
BENCHMARK(StartToFirstPaintedWindow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void RepaintPage(benchmark::State& state) {
    Demo demo;
    demo.start();
    TfMidi& window = demo.session->Window();
    window.show();
    window.ShowPage(TfMidi::Page(state.range(0)));
    QApplication::processEvents();
    QImage target(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(RepaintPage)
    ->ArgName("page")
    ->Arg(TfMidi::PatchIndex)
    ->Arg(TfMidi::MultipartIndex)
    ->Arg(TfMidi::MidiSetupIndex)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
