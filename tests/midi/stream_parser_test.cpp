#include "midi/midi_stream_parser.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes down what the parser hands on: "B0 07 64" for a short message, "F0 .. F7" for a whole
// SysEx and "aborted" for one cut short.
class Recorder final : public MidiInputSink {
public:
    void ShortMessage(std::uint32_t packed, std::uint32_t) override {
        Bytes bytes{std::uint8_t(packed), std::uint8_t(packed >> 8), std::uint8_t(packed >> 16)};
        bytes.resize(std::size_t(ShortMessageLength(bytes[0])));
        seen.push_back(text(bytes));
    }
    void LongData(const std::uint8_t* bytes, std::size_t count, std::uint32_t) override {
        sysex.insert(sysex.end(), bytes, bytes + count);
    }
    void LongEnd(std::uint32_t) override {
        seen.push_back(text(sysex));
        sysex.clear();
    }
    void LongAbort() override {
        seen.push_back("aborted");
        sysex.clear();
    }

    static std::string text(const Bytes& bytes) {
        std::string out;
        for (std::uint8_t byte : bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X ", byte);
            out += hex;
        }
        if (!out.empty())
            out.pop_back();
        return out;
    }

    std::vector<std::string> seen;
    Bytes sysex;
};

struct StreamParser : testing::Test {
    void feed(const Bytes& chunk) { parser.Feed(chunk.data(), chunk.size(), 0, sink); }

    MidiStreamParser parser;
    Recorder sink;
};

TEST_F(StreamParser, PassesWholeMessagesOnUnchanged) {
    feed({0xB0, 0x07, 0x64});
    feed({0xC3, 0x05});
    feed({0xF6});
    feed({0xF1, 0x23});
    feed({0xF0, 0x43, 0x10, 0xF7});
    EXPECT_EQ(sink.seen,
              (std::vector<std::string>{"B0 07 64", "C3 05", "F6", "F1 23", "F0 43 10 F7"}));
}

TEST_F(StreamParser, AnyStatusButRealTimeEndsAnOpenSysex) {
    feed({0xF0, 0x7D, 0x01});
    feed({0xB0, 0x07, 0x64});
    feed({0xB0, 0x07, 0x65});
    feed({0xF0, 0x7D, 0x02});
    feed({0xF0, 0x7D, 0x03, 0xF7});
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"aborted", "B0 07 64", "B0 07 65", "aborted",
                                                   "F0 7D 03 F7"}));
}

TEST_F(StreamParser, JoinsASysexSpreadOverChunksAndTakesRealTimeBytesOut) {
    feed({0xF0, 0x7D, 0x01, 0x02});
    feed({0xF8});
    feed({0x03, 0xFE, 0x04});
    feed({0xFA});
    feed({0x05, 0xF7});
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"F8", "FE", "FA", "F0 7D 01 02 03 04 05 F7"}));
}

TEST_F(StreamParser, TakesRealTimeBytesOutOfShortMessages) {
    feed({0x90, 0xF8, 0x3C, 0xFE, 0x64});
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"F8", "FE", "90 3C 64"}));
}

TEST_F(StreamParser, DropsDataBytesWithoutAStatusInTheirChunk) {
    feed({0x07, 0x65});
    feed({0x90, 0x3C, 0x64, 0x3E, 0x64, 0x40});
    feed({0x41, 0x64});
    feed({0xF7});
    feed({0xF1, 0x01, 0x02});
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"90 3C 64", "90 3E 64", "F1 01"}));
}

TEST_F(StreamParser, DropsAMessageCutShort) {
    feed({0x90, 0x3C});
    feed({0xB0, 0x07, 0xC0, 0x05});
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"C0 05"}));
}

// F4, F5, F9 and FD are undefined: nothing a device sends with them is handed on. F4 and F5 are
// system common bytes and so end an open SysEx and a message begun, and their data bytes go with
// them; F9 and FD are real-time bytes and interrupt nothing.
TEST_F(StreamParser, DropsUndefinedSystemMessages) {
    feed({0xF4, 0x01, 0x02});
    feed({0xF5});
    feed({0x90, 0x3C, 0xF9, 0x64, 0xFD});
    feed({0xF9});
    feed({0xFD, 0xB0, 0x07, 0x64});
    feed({0xF0, 0x7D, 0xF9, 0x01, 0xFD, 0xF7});
    feed({0xF0, 0x7D, 0x01, 0xF5, 0x02, 0xF7});
    feed({0x90, 0x3C, 0xF4, 0x64});
    EXPECT_EQ(sink.seen,
              (std::vector<std::string>{"90 3C 64", "B0 07 64", "F0 7D 01 F7", "aborted"}));
}

TEST_F(StreamParser, ResetDropsAnOpenSysex) {
    feed({0xF0, 0x01});
    parser.Reset(sink);
    feed({0x02, 0xF7});
    parser.Reset(sink);
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"aborted"}));
}

} // namespace
