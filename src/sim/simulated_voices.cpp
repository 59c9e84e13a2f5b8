#include "sim/simulated_voices.h"

#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"

#include <algorithm>

namespace {

// A patch row's value; slot picks the modulation source on rows 0..3 (0 aftertouch, 1 mod wheel,
// 2 breath, 3 foot).
struct RowValue {
    int row;
    int slot;
    int value;
};

// Operators 1..4; values in OpField order: AR D1R D2R RR D1L LS RS EBS AME KVS Out Coarse Detune,
// then Fix FixRange Fine Wave Shift.
using Operator = std::array<int, OpFieldCount>;

struct Design {
    const char* name;
    std::array<Operator, 4> operators;
    std::span<const RowValue> rows;
};

// Algorithm (24), feedback (26), LFO speed, delay, pitch and amplitude depth, sync, wave (6, 7, 30,
// 31, 15, 14), sensitivities (22, 23), transpose (25, 24 = none), poly (12), bend range (4),
// portamento (13, 5), reverb (27), effect type, time, balance (20, 29, 28), modulation sources.
constexpr RowValue PianoRows[] = {
    {24, 0, 4}, {26, 0, 3}, {6, 0, 35}, {7, 0, 0},   {30, 0, 0},  {31, 0, 0}, {15, 0, 0},
    {14, 0, 2}, {22, 0, 0}, {23, 0, 0}, {25, 0, 24}, {12, 0, 0},  {4, 0, 2},  {13, 0, 0},
    {5, 0, 0},  {27, 0, 1}, {20, 0, 1}, {29, 0, 40}, {28, 0, 30}, {0, 1, 50}, {1, 3, 99},
};
constexpr RowValue BassRows[] = {
    {24, 0, 0}, {26, 0, 6}, {6, 0, 20}, {7, 0, 0},   {30, 0, 0},  {31, 0, 0}, {15, 0, 1},
    {14, 0, 0}, {22, 0, 0}, {23, 0, 0}, {25, 0, 12}, {12, 0, 1},  {4, 0, 2},  {13, 0, 1},
    {5, 0, 12}, {27, 0, 0}, {20, 0, 2}, {29, 0, 15}, {28, 0, 10}, {0, 1, 30}, {1, 3, 99},
};
constexpr RowValue BrassRows[] = {
    {24, 0, 1}, {26, 0, 4}, {6, 0, 34}, {7, 0, 40},  {30, 0, 12}, {31, 0, 0}, {15, 0, 0},
    {14, 0, 2}, {22, 0, 4}, {23, 0, 0}, {25, 0, 24}, {12, 0, 0},  {4, 0, 4},  {13, 0, 0},
    {5, 0, 0},  {27, 0, 2}, {20, 0, 3}, {29, 0, 55}, {28, 0, 35}, {0, 1, 70}, {0, 2, 60},
    {1, 2, 40}, {1, 3, 99}, {0, 0, 25}, {1, 0, 20},
};

constexpr Design Designs[] = {
    {"SimPiano",
     {{{31, 10, 3, 6, 10, 10, 1, 0, 0, 3, 90, 4, 3, 0, 0, 0, 0, 0},
       {31, 14, 5, 6, 8, 20, 1, 0, 0, 4, 70, 4, 4, 0, 0, 0, 0, 0},
       {31, 9, 2, 6, 11, 10, 1, 0, 0, 3, 86, 4, 2, 0, 0, 0, 0, 0},
       {31, 16, 6, 6, 6, 25, 1, 0, 0, 5, 62, 12, 3, 0, 0, 0, 0, 0}}},
     PianoRows},
    {"SimBass",
     {{{31, 12, 4, 8, 9, 0, 1, 0, 0, 2, 92, 4, 3, 0, 0, 0, 0, 0},
       {31, 18, 8, 8, 5, 0, 1, 0, 0, 3, 75, 4, 3, 0, 0, 0, 1, 0},
       {31, 20, 10, 8, 4, 0, 1, 0, 0, 3, 68, 8, 3, 0, 0, 0, 0, 0},
       {31, 22, 12, 8, 3, 0, 1, 0, 0, 4, 60, 4, 4, 0, 0, 0, 0, 0}}},
     BassRows},
    {"SimBrass",
     {{{18, 8, 2, 7, 13, 0, 1, 0, 0, 2, 94, 4, 3, 0, 0, 0, 0, 0},
       {16, 9, 3, 7, 12, 0, 1, 0, 1, 3, 80, 4, 3, 0, 0, 0, 0, 0},
       {15, 7, 2, 7, 12, 0, 1, 0, 0, 3, 76, 4, 4, 0, 0, 0, 0, 0},
       {17, 10, 4, 7, 11, 0, 1, 0, 1, 4, 72, 4, 2, 0, 0, 0, 0, 0}}},
     BrassRows},
};

::Voice voiceOf(const Design& design) {
    ::Voice voice;
    for (int op = 0; op < OperatorCount; ++op)
        for (int field = 0; field < OpFieldCount; ++field)
            voice.Set(VoiceParam::Op(op, OpField(field)),
                      design.operators[std::size_t(op)][std::size_t(field)]);
    for (const RowValue& row : design.rows)
        voice.Set(*RowParam(row.row, row.slot), row.value);
    voice.SetName(QString::fromLatin1(design.name));
    return voice;
}

template <std::size_t N>
void write(const Layouts::BulkLayout& layout, const ::Voice& voice,
           std::array<std::uint8_t, N>& data) {
    DataBuffer message(layout.format.length);
    Layouts::WriteMessage(layout, voice, message);
    std::copy_n(message.Data() + layout.format.dataOffset, N, data.begin());
}

} // namespace

std::vector<SimulatedSynth::Voice> BuiltInVoices() {
    std::vector<SimulatedSynth::Voice> voices;
    for (const Design& design : Designs) {
        const ::Voice value = voiceOf(design);
        SimulatedSynth::Voice voice;
        write(Layouts::VoiceBlock, value, voice.Block);
        write(Layouts::AddVoice, value, voice.AddVoice);
        write(Layouts::Aftertouch, value, voice.Aftertouch);
        write(Layouts::VoiceEffect, value, voice.Effect);
        voices.push_back(voice);
    }
    return voices;
}
