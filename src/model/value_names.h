#pragma once

#include <QDir>
#include <QStringList>

// The value-name lists that several records and knobs share; owned by the parameter map.
struct ValueNameLists {
    QStringList ChannelNames;     // "1".."16", "Omni", "Off"
    QStringList BankNames;        // "ROM", "User", "Card"
    QStringList LfoSelectNames;   // "Off", "I", "II", "Vib"
    QStringList OutAssignNames;   // "Off", "I", "II", "I && II"
    QStringList OffOnNames;       // "Off", "On"
    QStringList Bias50Names;      // "-50".."50"
    QStringList Transpose24Names; // "-24".."24"
    QStringList Detune7Names;     // "-7".."7"
    QStringList Tune64Names;      // "-64".."64"
    QStringList NoteNames;        // 128 note names, "C-2".."G8"
    QStringList RomVoiceNames;
    QStringList UserVoiceNames;
    QStringList CardVoiceNames;
    QStringList RomNumbers; // "ROM 1".."ROM 100"
    QStringList UserNumbers;
    QStringList CardNumbers;
    // One text per voice-name file that could not be used, for the user to see.
    QStringList ReadProblems;

    // Builds every list, reading the voice-name files from the folder; what went wrong with
    // one of them lands in ReadProblems.
    void Build(const QDir& startFolder);

    const QStringList& VoiceNames(int bank) const;
    const QStringList& VoiceNumbers(int bank) const;
};

inline constexpr const char* RomNamesFile = "ROMNames.txt";
inline constexpr const char* UserNamesFile = "USERNames.txt";
inline constexpr const char* CardNamesFile = "CARDNames.txt";

// A voice-name file holds a hundred short lines; anything much larger is not one.
inline constexpr qint64 MaxVoiceNameFileBytes = qint64(64) << 10;

// The lines of a voice-name file: Latin-1, lines ended by CR LF, LF or CR, empty lines kept, the
// text ending at a NUL. A missing file gives an empty list without a word. So does one that
// cannot be read (a FIFO or a device, which are never opened as names, or one without the right
// to read it) or is larger than MaxVoiceNameFileBytes, which `problem` then names.
QStringList readVoiceNames(const QString& path, QString* problem = nullptr);
// The same rules applied to bytes already read.
QStringList splitVoiceNames(const QByteArray& bytes);
