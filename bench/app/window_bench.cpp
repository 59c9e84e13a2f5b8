// The editor window on the in-process devices of the demo: the time from nothing to the first
// painted window (and the memory it then holds), one full repaint of each page, and the Library
// page opened on 32 000 voices, offscreen.
#include "app/editor_session.h"
#include "edit/system_services.h"
#include "private_memory.h"
#include "sim/virtual_studio.h"
#include "thousand_banks.h"
#include "views/console_prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

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
    // The time it took to open the library, when there is one.
    double start(const QString& library = {}) {
        session.emplace(studio.Service(), prompts, files, settings, clock, sleeper, random,
                        QDir(folder.path()));
        QElapsedTimer opening;
        opening.start();
        if (!library.isEmpty())
            session->OpenLibrary(library);
        const double seconds = double(opening.nsecsElapsed()) / 1e9;
        session->StartUp(3);
        return seconds;
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
        megabytes = std::max(megabytes, privateMegabytes());
    }
    state.counters["private_MB"] = megabytes;
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

// The library opened and its page shown and painted, as a user who starts the editor and clicks
// "Library" waits for it; the private memory the 32 000 voices add to the window.
void OpenLibraryPage(benchmark::State& state) {
    const QString library = ThousandBanks::FullCatalogue::Get().catalogue->Path();
    double megabytes = 0;
    for (auto _ : state) {
        Demo demo;
        const double opening = demo.start(library);
        TfMidi& window = demo.session->Window();
        window.show();
        window.repaint();
        QElapsedTimer clock;
        clock.start();
        window.ShowPage(TfMidi::LibraryIndex);
        window.repaint();
        state.SetIterationTime(opening + double(clock.nsecsElapsed()) / 1e9);
        megabytes = std::max(megabytes, privateMegabytes());
        state.counters["voices"] = demo.session->Library().Model().TotalCount();
    }
    // The window's own memory is in it too: compare with StartToFirstPaintedWindow's.
    state.counters["private_MB"] = megabytes;
}
BENCHMARK(OpenLibraryPage)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
