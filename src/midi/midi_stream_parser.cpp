#include "midi/midi_stream_parser.h"

#include "model/domain.h"

namespace {
using MidiStatus::SysexEnd;
using MidiStatus::SysexStart;
constexpr std::uint8_t FirstStatus = 0x80;
constexpr std::uint8_t FirstSystem = SysexStart;                // no running status from here on
constexpr std::uint8_t FirstRealTime = MidiStatus::TimingClock; // 0xF8..0xFF

// The system status bytes MIDI leaves undefined: two system common, two real-time.
constexpr bool isUndefined(std::uint8_t status) {
    return status == 0xF4 || status == 0xF5 || status == 0xF9 || status == 0xFD;
}
} // namespace

void MidiStreamParser::Feed(const std::uint8_t* bytes, std::size_t count, std::uint32_t timeStamp,
                            MidiInputSink& sink) {
    // SysEx bytes go on in runs, interrupted only by real-time bytes.
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte >= FirstRealTime) {
            if (inSysex_ && i > runStart)
                sink.LongData(bytes + runStart, i - runStart, timeStamp);
            runStart = i + 1;
            if (!isUndefined(byte))
                sink.ShortMessage(byte, timeStamp);
            continue;
        }
        if (byte < FirstStatus) {
            if (!inSysex_)
                data(byte, timeStamp, sink);
            continue;
        }
        if (inSysex_) {
            inSysex_ = false;
            if (byte == SysexEnd) {
                sink.LongData(bytes + runStart, i + 1 - runStart, timeStamp);
                sink.LongEnd(timeStamp);
                continue;
            }
            sink.LongAbort();
        }
        need_ = 0;
        runningStatus_ = 0;
        if (byte == SysexStart) {
            inSysex_ = true;
            runStart = i;
        } else if (byte != SysexEnd && !isUndefined(byte)) {
            begin(byte, timeStamp, sink);
        }
    }
    if (inSysex_ && count > runStart)
        sink.LongData(bytes + runStart, count - runStart, timeStamp);
    need_ = 0;
    runningStatus_ = 0;
}

void MidiStreamParser::Reset(MidiInputSink& sink) {
    if (inSysex_)
        sink.LongAbort();
    inSysex_ = false;
    need_ = 0;
    runningStatus_ = 0;
}

void MidiStreamParser::begin(std::uint8_t status, std::uint32_t timeStamp, MidiInputSink& sink) {
    message_[0] = status;
    message_[1] = message_[2] = 0;
    have_ = 1;
    need_ = ShortMessageLength(status);
    if (status < FirstSystem)
        runningStatus_ = status;
    if (have_ == need_)
        complete(timeStamp, sink);
}

void MidiStreamParser::data(std::uint8_t byte, std::uint32_t timeStamp, MidiInputSink& sink) {
    if (need_ == 0) {
        if (runningStatus_ == 0)
            return;
        begin(runningStatus_, timeStamp, sink);
    }
    message_[have_++] = byte;
    if (have_ == need_)
        complete(timeStamp, sink);
}

void MidiStreamParser::complete(std::uint32_t timeStamp, MidiInputSink& sink) {
    need_ = 0;
    sink.ShortMessage(PackShort(message_[0], message_[1], message_[2]), timeStamp);
}
