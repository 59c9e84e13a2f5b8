#pragma once

#include "model/fields.h"

#include <QStringList>
#include <span>

// The fixed facts about the records of an operator and of the multi, written once as data.

namespace Tables {

using Names = std::span<const char* const>;

inline constexpr const char* OffOn[] = {"Off", "On"};
inline constexpr const char* RatioFix[] = {"Ratio", "Fix"};
inline constexpr const char* FixRanges[] = {"255Hz", "510Hz", "1kHz",  "2kHz",
                                            "4kHz",  "8kHz",  "16kHz", "32kHz"};
inline constexpr const char* EgShifts[] = {"Off", "48dB", "24dB", "12dB"};

inline constexpr int Group10 = 0x10; // multi and part parameters
inline constexpr int Group12 = 0x12; // voice parameters
inline constexpr int Group13 = 0x13; // additional voice and aftertouch parameters
inline constexpr int Group24 = 0x24; // effect and global parameters

struct OpRecordRow {
    OpField field;
    int group;
    int offset; // added to the operator's base number in its group
    int max;
    int start;
    Names names;
};

// In creation order, which is OpField order.
inline constexpr OpRecordRow OpRecords[OpFieldCount] = {
    {OpField::AR, Group12, 0, 31, 5, {}},
    {OpField::D1R, Group12, 1, 31, 5, {}},
    {OpField::D2R, Group12, 2, 31, 5, {}},
    {OpField::RR, Group12, 3, 15, 5, {}},
    {OpField::D1L, Group12, 4, 15, 15, {}},
    {OpField::LS, Group12, 5, 99, 0, {}},
    {OpField::RS, Group12, 6, 3, 0, {}},
    {OpField::EBS, Group12, 7, 7, 0, {}},
    {OpField::AME, Group12, 8, 1, 0, OffOn},
    {OpField::KVS, Group12, 9, 7, 4, {}},
    {OpField::Out, Group12, 10, 99, 90, {}},
    {OpField::Coarse, Group12, 11, 63, 4, {}},
    {OpField::Detune, Group12, 12, 6, 0, {}},
    {OpField::Fix, Group13, 0, 1, 0, RatioFix},
    {OpField::FixRange, Group13, 1, 7, 0, FixRanges},
    {OpField::Fine, Group13, 2, 15, 0, {}},
    {OpField::Wave, Group13, 3, 7, 0, {}},
    {OpField::Shift, Group13, 4, 3, 0, EgShifts},
};

// Base parameter numbers of operators 1..4 (the synth stores operator 4 first, then 2, 3, 1).
inline constexpr int OpBase12[4] = {39, 13, 26, 0};
inline constexpr int OpBase13[4] = {15, 5, 10, 0};

inline constexpr int opBase(int group, int op) {
    return group == Group12 ? OpBase12[op] : OpBase13[op];
}

struct PartRecordRow {
    PartField field;
    int offset; // parameter = 12 x (part - 1) + offset, group 0x10
    int max;
};

// In the order a part stores its records.
inline constexpr PartRecordRow PartRecords[PartFieldCount] = {
    {PartField::Patch, 2, 99},     {PartField::Bank, 1, 2},       {PartField::OutAssign, 9, 3},
    {PartField::RxChannel, 3, 16}, {PartField::LfoSelect, 10, 3}, {PartField::MaxNotes, 0, 8},
    {PartField::TopNote, 5, 127},  {PartField::LowNote, 4, 127},  {PartField::Detune, 6, 14},
    {PartField::Transpose, 7, 48}, {PartField::Volume, 8, 99},
};

struct MultiRecordRow {
    MultiField field;
    int group;
    int para;
    int max;
};

inline constexpr MultiRecordRow MultiRecords[MultiFieldCount] = {
    {MultiField::MasterTune, Group10, 123, 127}, {MultiField::RxChannel, Group24, 1, 17},
    {MultiField::TxChannel, Group24, 2, 16},     {MultiField::MemLock, Group24, 3, 1},
    {MultiField::FxType, Group24, 4, 10},        {MultiField::FxTime, Group24, 5, 99},
    {MultiField::FxBalance, Group24, 6, 99},
};

inline QStringList toList(Names names) {
    QStringList list;
    for (const char* n : names)
        list << QString::fromLatin1(n);
    return list;
}

} // namespace Tables
