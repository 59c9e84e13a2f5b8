#pragma once

#include "model/fields.h"
#include "model/record_tables.h"

// The multi rows' controls and value lists, as data: the multi map binds them and the list of
// control names the screen must provide is made from them.

namespace Tables {

// Which shared value list a record or a knob takes.
enum class ListId {
    None,
    ChannelNames,
    BankNames,
    LfoSelectNames,
    OutAssignNames,
    NoteNames,
    Transpose24Names,
    Detune7Names,
    RomVoiceNames,
    RomNumbers
};

// A global multi record's controls: a knob with its value label, or a value button.
struct GlobalControlRow {
    MultiField field;
    const char* knob; // null for a value button
    const char* control;
};

inline constexpr GlobalControlRow GlobalControls[] = {
    {MultiField::MasterTune, "kMasterTune", "lMasterTune"},
    {MultiField::RxChannel, "kGlobalRxChan", "lGlobalRxChan"},
    {MultiField::TxChannel, "kGlobalTxChan", "lGlobalTxChan"},
    {MultiField::FxTime, "kFxTime", "lFxTime"},
    {MultiField::FxBalance, "kFxBalance", "lFxBalance"},
    {MultiField::MemLock, nullptr, "tlMemLock"},
    {MultiField::FxType, nullptr, "tlFxType"},
};

// A part's multi rows in their row-offset order, with the controls each one binds.
struct PartRowEntry {
    PartField field;
    const char* knob;    // null for a value button
    const char* control; // the value label, or the value button
    ListId names;
    ListId knobList;
};

inline constexpr PartRowEntry PartRows[PartFieldCount] = {
    {PartField::Patch, "kPatch", "lPatch", ListId::RomVoiceNames, ListId::RomNumbers},
    {PartField::Bank, nullptr, "tlPatchBank", ListId::BankNames, ListId::None},
    {PartField::OutAssign, nullptr, "tlOutPort", ListId::OutAssignNames, ListId::None},
    {PartField::LfoSelect, nullptr, "tlLfoSelect", ListId::LfoSelectNames, ListId::None},
    {PartField::MaxNotes, nullptr, "tlMaxNotes", ListId::None, ListId::None},
    {PartField::RxChannel, "kRxChannel", "lRxChannel", ListId::ChannelNames, ListId::ChannelNames},
    {PartField::TopNote, "kTopNote", "lTopNote", ListId::NoteNames, ListId::NoteNames},
    {PartField::LowNote, "kLowNote", "lLowNote", ListId::NoteNames, ListId::NoteNames},
    {PartField::Transpose, "kTranspose", "lTranspose", ListId::Transpose24Names,
     ListId::Transpose24Names},
    {PartField::Detune, "kDetune", "lDetune", ListId::Detune7Names, ListId::Detune7Names},
    {PartField::Volume, "kVolume", "lVolume", ListId::None, ListId::None},
};

} // namespace Tables
