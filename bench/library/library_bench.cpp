// The library with 32 000 voices, release build: importing 1 000 bank files, loading the Library
// page's model from the catalogue (and the memory it then holds), and each keystroke of a search.
#include "library/bank_bytes.h"
#include "library/folder_import.h"
#include "library/library_model.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr int BankFiles = 1000;

// Private resident memory (what the program itself holds, not the shared libraries), in MB.
double privateMegabytes() {
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    double kilobytes = 0;
    for (const QByteArray& line : rollup.readAll().split('\n'))
        if (line.startsWith("Private_Clean:") || line.startsWith("Private_Dirty:"))
            kilobytes += line.mid(14).trimmed().split(' ').first().toDouble();
    return kilobytes / 1024.0;
}

// Names as banks have them, so that a search finds some voices and not others.
QString nameOf(int v) {
    static const char* const words[] = {"Bass", "E.Piano", "Brass", "Str",  "Pad",   "Lead",
                                        "Bell", "Organ",   "Synth", "Clav", "Flute", "FX"};
    return QStringLiteral("%1 %2").arg(QLatin1String(words[v % 12])).arg(v / 12 % 1000);
}

// 1 000 bank files of 32 different voices in a folder, written once.
struct Banks {
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("banks"));

    Banks() {
        QDir().mkpath(folder);
        for (int file = 0; file < BankFiles; ++file) {
            BankBytes::Bytes data;
            for (int i = 0; i < 32; ++i) {
                const int v = file * 32 + i;
                const BankBytes::Bytes voice = BankBytes::VoiceData(v, file % 2, nameOf(v));
                data.insert(data.end(), voice.begin(), voice.end());
            }
            QFile out(folder + QStringLiteral("/BANK%1.SYX").arg(file, 4, 10, QLatin1Char('0')));
            out.open(QIODevice::WriteOnly);
            out.write(BankBytes::ToQt(BankBytes::BankMessage(data)));
        }
    }
    static Banks& Get() {
        static Banks banks;
        return banks;
    }
};

// A catalogue with every voice of the banks, made once.
struct FullCatalogue {
    QTemporaryDir dir;
    std::unique_ptr<Catalogue> catalogue;

    FullCatalogue() {
        catalogue = std::move(*Catalogue::Open(dir.filePath(QStringLiteral("library.db"))));
        ImportFolder(*catalogue, Banks::Get().folder, {});
    }
    static FullCatalogue& Get() {
        static FullCatalogue full;
        return full;
    }
};

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
