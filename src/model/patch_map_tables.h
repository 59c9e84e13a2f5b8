#pragma once

#include "model/record_tables.h"
#include "views/colour.h"

// The patch rows of the parameter map, as data.

namespace Tables {

inline constexpr const char* PolyMono[] = {"Poly", "Mono"};
inline constexpr const char* PortamentoTypes[] = {"Full", "Finger"};
inline constexpr const char* LfoWaves[] = {"Saw", "Sqr", "Tri", "Rnd"};
inline constexpr const char* EffectTypes[] = {"Off",   "Hall",  "Room",  "Plate", "Delay", "DlyRL",
                                              "StEch", "DstRv", "DstEc", "GtRev", "RvsGt"};

enum class RowControl { Knob, Button };

// A patch row in 4..31 with a single record of its own.
struct SingleRowEntry {
    int row;
    int slot;
    int group;
    int para;
    int max;
    RowControl control;
    Names names;
};

// In the order they are built.
inline constexpr SingleRowEntry SingleRows[] = {
    {4, 178, Group12, 64, 12, RowControl::Knob, {}},
    {5, 163, Group12, 66, 99, RowControl::Knob, {}},
    {13, 164, Group12, 65, 1, RowControl::Button, PortamentoTypes},
    {6, 166, Group12, 54, 99, RowControl::Knob, {}},
    {7, 167, Group12, 55, 99, RowControl::Knob, {}},
    {14, 169, Group12, 59, 3, RowControl::Button, LfoWaves},
    {15, 170, Group12, 58, 1, RowControl::Button, OffOn},
    {20, 168, Group24, 4, 10, RowControl::Button, EffectTypes},
    {26, 176, Group12, 53, 7, RowControl::Knob, {}},
    {22, 172, Group12, 60, 7, RowControl::Button, {}},
    {23, 173, Group12, 61, 3, RowControl::Button, {}},
    {12, 174, Group12, 63, 1, RowControl::Button, PolyMono},
    {24, 175, Group12, 52, 7, RowControl::Knob, {}},
    {25, 177, Group12, 62, 48, RowControl::Knob, {}},
    {27, 179, Group13, 20, 7, RowControl::Knob, {}},
    {28, 165, Group24, 6, 99, RowControl::Knob, {}},
    {29, 171, Group24, 5, 99, RowControl::Knob, {}},
    {30, 180, Group12, 56, 99, RowControl::Knob, {}},
    {31, 181, Group12, 57, 99, RowControl::Knob, {}},
};

// Row 5's record carries tag 0; all other single records carry -1.
inline constexpr int TaggedSingleRow = 5;

// A modulation group's record for one of the rows 0..3.
struct ModRecordRow {
    int row;
    int group;
    int para;
    int max;
};

struct ModGroupRow {
    const char* heading;
    const char* title;
    const char* caption;
    TColor labelColor; // heading and title backgrounds
    TColor textColor;  // heading and title text
};

inline constexpr ModGroupRow ModGroups[4] = {
    {"    Pitch            Amp             Pitch          Envelope   ",
     "  -- Aftertouch LFO ----        ------ Aftertouch ------       ", " Ctrl: Aftertouch ",
     TColor::FromBgr(0xFF0000), TColor::FromBgr(0x00FFFF)}, // aftertouch
    {"    Pitch            Amp             Pitch          Envelope   ",
     " -- Mod Wheel LFO ------      ---- No Mod Wheel  ------      ", " Ctrl: Mod Wheel ",
     TColor::FromBgr(0x008000), TColor::FromBgr(0xFFFFFF)}, // mod wheel
    {"    Pitch            Amp             Pitch          Envelope   ",
     "  ----- Breath LFO -----          ------ Breath ------       ", " Ctrl: Breath  ",
     TColor::FromBgr(0x800000), TColor::FromBgr(0x00FFFF)}, // breath
    {"    Pitch             Vol              Pitch          Envelope   ",
     " No Foot LFO     ---------------- Foot ------------------   ", " Ctrl: Foot   ",
     TColor::FromBgr(0x000000), TColor::FromBgr(0xFFFF00)}, // foot
};

inline constexpr ModRecordRow ModRecords[4][4] = {
    {{0, Group13, 23, 99}, {1, Group13, 24, 99}, {2, Group13, 25, 100}, {3, Group13, 26, 99}},
    {{0, Group12, 71, 99}, {1, Group12, 72, 99}, {-1, 0, 0, 0}, {-1, 0, 0, 0}},
    {{0, Group12, 73, 99}, {1, Group12, 74, 99}, {2, Group12, 75, 100}, {3, Group12, 76, 99}},
    {{-1, 0, 0, 0}, {1, Group12, 67, 99}, {2, Group13, 21, 100}, {3, Group13, 22, 99}},
};

// The per-operator rows 32..47: the operator record each one edits.
inline constexpr OpField PerOperatorRows[16] = {
    OpField::FixRange, OpField::Coarse, OpField::Fine, OpField::Detune, OpField::KVS, OpField::EBS,
    OpField::Wave,     OpField::Out,    OpField::AR,   OpField::D1R,    OpField::D1L, OpField::D2R,
    OpField::RR,       OpField::Shift,  OpField::LS,   OpField::RS,
};

// The operator switches: group 0x12 parameter 93, the on/off mask.
inline constexpr int OperatorMaskPara = 93;

} // namespace Tables
