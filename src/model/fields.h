#pragma once

// The fields of an operator, a multi part and the multi as a whole, in the order the tables list
// them.

// The operator's records, in the order they are created (which is also their byte order in the
// voice block followed by the additional voice block).
enum class OpField {
    AR,
    D1R,
    D2R,
    RR,
    D1L,
    LS,
    RS,
    EBS,
    AME,
    KVS,
    Out,
    Coarse,
    Detune, // group 0x12
    Fix,
    FixRange,
    Fine,
    Wave,
    Shift // group 0x13
};
constexpr int OpFieldCount = 18;

// The records of one multi part, in the order a part stores them.
enum class PartField {
    Patch,
    Bank,
    OutAssign,
    RxChannel,
    LfoSelect,
    MaxNotes,
    TopNote,
    LowNote,
    Detune,
    Transpose,
    Volume
};
constexpr int PartFieldCount = 11;

enum class MultiField { MasterTune, RxChannel, TxChannel, MemLock, FxType, FxTime, FxBalance };
constexpr int MultiFieldCount = 7;
