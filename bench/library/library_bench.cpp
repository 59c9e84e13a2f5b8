// The library with 32 000 voices, release build: importing 1 000 bank files, loading the Library
// page's model from the catalogue (and the memory it then holds), and each keystroke of a search.
#include "library/library_model.h"
#include "private_memory.h"
#include "thousand_banks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

using namespace ThousandBanks;

void ImportThousandBanks(benchmark::State& state) {
    Banks& banks = Banks::Get();
    int voices = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        auto catalogue = Catalogue::Open(dir.filePath(QStringLiteral("library.db")));
        QElapsedTimer clock;
        clock.start();
        voices = ImportFolder(**catalogue, banks.folder, {}).voicesAdded;
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    state.counters["voices"] = voices;
}
BENCHMARK(ImportThousandBanks)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

void LoadModel(benchmark::State& state) {
    Catalogue& catalogue = *FullCatalogue::Get().catalogue;
    double grown = 0;
    int rows = 0;
    for (auto _ : state) {
        const double before = privateMegabytes();
        QElapsedTimer clock;
        clock.start();
        LibraryModel model;
        model.Load(catalogue);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        grown = std::max(grown, privateMegabytes() - before);
        rows = model.rowCount();
    }
    state.counters["rows"] = rows;
    state.counters["grown_MB"] = grown;
}
BENCHMARK(LoadModel)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Typing words letter by letter and clearing them, as a user searches.
void SearchKeystroke(benchmark::State& state) {
    LibraryModel model;
    model.Load(*FullCatalogue::Get().catalogue);
    QStringList typed;
    for (const char* word : {"bass", "piano", "bank0999", "organ 42", "pad", "zzz", "e.p"}) {
        const QString text = QString::fromLatin1(word);
        for (qsizetype n = 1; n <= text.size(); ++n)
            typed << text.left(n);
        for (qsizetype n = text.size() - 1; n >= 0; --n)
            typed << text.left(n);
    }
    std::vector<double> times;
    for (auto _ : state) {
        for (const QString& text : typed) {
            QElapsedTimer clock;
            clock.start();
            model.SetSearch(text);
            benchmark::DoNotOptimize(model.rowCount());
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["keystrokes"] = double(times.size());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
}
BENCHMARK(SearchKeystroke)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
