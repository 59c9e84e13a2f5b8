#pragma once

// 1 000 generated bank files of 32 different voices each (32 000 voices), and a catalogue of them,
// each made once for the benchmarks that need them.
#include "library/bank_bytes.h"
#include "library/folder_import.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace ThousandBanks {

constexpr int BankFiles = 1000;

// Names as banks have them, so that a search finds some voices and not others.
inline QString nameOf(int v) {
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

} // namespace ThousandBanks
