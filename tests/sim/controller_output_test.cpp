#include "bcl_lines.h"

#include <gtest/gtest.h>

namespace {

// What the elements of a loaded definition send when turned and pressed.
struct ControllerOutputTest : testing::Test {
    void define(const QStringList& lines) { ASSERT_TRUE(defineBlock(controller, lines)); }
    Sent turn(int encoder, int steps) { return controller.Turn(encoder, steps).Sent; }
    Sent press(int button) { return controller.Press(button).Sent; }

    SimulatedController controller;
};

TEST_F(ControllerOutputTest, ControlChangeEncodersSendTheirValueOrTheirStepInEveryMode) {
    define({"$encoder 1",
            ".easypar CC 3 7 0 16383 absolute/14",
            ".default 8191",
            "$encoder 2",
            ".easypar CC 1 16 0 127 relative-1",
            "$encoder 3",
            ".easypar CC 1 17 0 127 relative-2",
            "$encoder 4",
            ".easypar CC 1 18 0 127 relative-3",
            "$encoder 5",
            ".easypar CC 1 19 0 16383 relative-1/14",
            "$encoder 6",
            ".easypar CC 1 20 0 16383 relative-2/14",
            "$encoder 7",
            ".easypar CC 1 21 0 16383 relative-3/14",
            "$encoder 8",
            ".easypar CC 1 22 0 0 relative-1",
            "$encoder 9",
            ".easypar CC 1 30 10 0 absolute",
            ".default 5"});
    // 14 bits: the high seven on the controller, the low seven on the controller + 32.
    EXPECT_EQ(turn(1, 1), (Sent{cc(7, 0x40, 3), cc(39, 0x00, 3)}));
    EXPECT_EQ(turn(1, -2),
              (Sent{cc(7, 0x3F, 3), cc(39, 0x7F, 3), cc(7, 0x3F, 3), cc(39, 0x7E, 3)}));
    // The step in two's complement, from 64, and with a sign bit.
    EXPECT_EQ(turn(2, 1), Sent{cc(16, 0x01)});
    EXPECT_EQ(turn(2, -1), Sent{cc(16, 0x7F)});
    EXPECT_EQ(turn(3, 1), Sent{cc(17, 0x41)});
    EXPECT_EQ(turn(3, -1), Sent{cc(17, 0x3F)});
    EXPECT_EQ(turn(4, 1), Sent{cc(18, 0x01)});
    EXPECT_EQ(turn(4, -1), Sent{cc(18, 0x41)});
    EXPECT_EQ(turn(5, -1), (Sent{cc(19, 0x7F), cc(51, 0x7F)}));
    EXPECT_EQ(turn(6, 1), (Sent{cc(20, 0x40), cc(52, 0x01)}));
    EXPECT_EQ(turn(7, -1), (Sent{cc(21, 0x40), cc(53, 0x01)}));
    // A relative encoder sends its steps whatever its value.
    EXPECT_EQ(turn(8, 3), (Sent{cc(22, 1), cc(22, 1), cc(22, 1)}));
    EXPECT_EQ(controller.Encoder(8).value, 0);
    // Its minimum above its maximum, an encoder counts down clockwise.
    EXPECT_EQ(turn(9, 2), (Sent{cc(30, 4), cc(30, 3)}));
}

TEST_F(ControllerOutputTest, NrpnEncodersSendTheNumberAndThenTheData) {
    define({"$encoder 1", ".easypar NRPN 9 110 0 127 absolute", ".default 11", "$encoder 2",
            ".easypar NRPN 1 1000 0 16383 absolute/14", ".default 300", "$encoder 3",
            ".easypar NRPN 1 5 0 127 inc/dec", "$encoder 4", ".easypar NRPN 1 5 0 127 relative-2",
            "$encoder 5", ".easypar NRPN 1 5 0 16383 relative-1/14"});
    EXPECT_EQ(turn(1, 1), (Sent{cc(99, 0x00, 9), cc(98, 0x6E, 9), cc(6, 0x0C, 9)}));
    EXPECT_EQ(turn(2, 1), (Sent{cc(99, 0x07), cc(98, 0x68), cc(6, 0x02), cc(38, 0x2D)}));
    const Sent increment{cc(99, 0), cc(98, 5), cc(96, 0)};
    EXPECT_EQ(turn(3, 2), (Sent{increment[0], increment[1], increment[2], increment[0],
                                increment[1], increment[2]}));
    EXPECT_EQ(turn(3, -1), (Sent{cc(99, 0), cc(98, 5), cc(97, 0)}));
    EXPECT_EQ(turn(4, -1), (Sent{cc(99, 0), cc(98, 5), cc(6, 0x3F)}));
    EXPECT_EQ(turn(5, -1), (Sent{cc(99, 0), cc(98, 5), cc(6, 0x7F), cc(38, 0x7F)}));
}

TEST_F(ControllerOutputTest, OtherEncodersSendPitchBendAftertouchAndProgramChanges) {
    define({"$encoder 1", ".easypar PB 2 0 16383", ".default 8192", "$encoder 2",
            ".easypar AT 1 all 0 127", "$encoder 3", ".easypar AT 1 60 0 127", "$encoder 4",
            ".easypar PC 5 2 off", "$encoder 5", ".easypar PC 1 off off 10 12", ".default 10"});
    EXPECT_EQ(turn(1, 1), (Sent{{0xE1, 0x01, 0x40}}));
    EXPECT_EQ(turn(2, 1), (Sent{{0xD0, 0x01}}));
    EXPECT_EQ(turn(3, 1), (Sent{{0xA0, 0x3C, 0x01}}));
    // The bank select goes before each program change.
    EXPECT_EQ(turn(4, 2), (Sent{cc(0, 2, 5), {0xC4, 0x01}, cc(0, 2, 5), {0xC4, 0x02}}));
    EXPECT_EQ(turn(5, 5), (Sent{{0xC0, 0x0B}, {0xC0, 0x0C}}));
}

TEST_F(ControllerOutputTest, KeysSendTheirValuesInEveryMode) {
    define({"$button 1",
            ".easypar NRPN 1 300 127 0 toggleon",
            "$button 2",
            ".easypar NOTE 10 36 100 toggleoff",
            "$button 3",
            ".easypar NOTE 1 60 90 toggleon",
            "$button 4",
            ".easypar PC 3 off 5 12",
            "$button 5",
            ".easypar CC 1 64 127 off toggleoff",
            "$button 6",
            ".easypar CC 1 65 127 off toggleon",
            "$button 7",
            ".easypar CC 1 20 127 7 increment 40",
            ".default 7",
            "$button 8",
            ".easypar CC 1 114 0 86 increment 43",
            "$button 9",
            ".easypar CC 1 115 0 86 increment -43",
            "$button 10",
            ".easypar AT 2 all 4 0 increment 2"});
    EXPECT_EQ(press(1), (Sent{cc(99, 2), cc(98, 0x2C), cc(6, 0x7F)}));
    EXPECT_EQ(press(1), (Sent{cc(99, 2), cc(98, 0x2C), cc(6, 0x00)}));
    // A note while held; on, then off.
    EXPECT_EQ(press(2), (Sent{{0x99, 0x24, 0x64}, {0x99, 0x24, 0x00}}));
    EXPECT_EQ(press(3), (Sent{{0x90, 0x3C, 0x5A}}));
    EXPECT_EQ(press(3), (Sent{{0x90, 0x3C, 0x00}}));
    // A program key sends its bank and program on every press.
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(press(4), (Sent{cc(32, 5, 3), {0xC2, 0x0C}}));
    // An "off" value sends nothing.
    EXPECT_EQ(press(5), Sent{cc(64, 127)});
    EXPECT_EQ(press(6), Sent{cc(65, 127)});
    EXPECT_TRUE(press(6).empty());
    EXPECT_FALSE(controller.Button(6).lit());
    EXPECT_EQ(controller.Button(6).value, 0);
    EXPECT_EQ(press(6), Sent{cc(65, 127)});
    // Counting from the second value to the first, and round; with the first value below the
    // second the key stays at the second (counting up) or the first (down), as the unit does.
    Sent counted;
    for (int i = 0; i < 4; ++i)
        counted.push_back(press(7).front());
    EXPECT_EQ(counted, (Sent{cc(20, 47), cc(20, 87), cc(20, 127), cc(20, 7)}));
    EXPECT_EQ(press(8), Sent{cc(114, 86)});
    EXPECT_EQ(press(8), Sent{cc(114, 86)});
    EXPECT_EQ(press(9), Sent{cc(115, 0)});
    EXPECT_EQ(press(9), Sent{cc(115, 0)});
    EXPECT_EQ(press(10), (Sent{{0xD1, 2}}));
    EXPECT_EQ(press(10), (Sent{{0xD1, 4}}));
    EXPECT_EQ(press(10), (Sent{{0xD1, 0}}));
}

TEST_F(ControllerOutputTest, CustomOutputCarriesTheValueInPiecesTheStepAndChecksums) {
    define({"$encoder 1", ".minmax 0 7", ".tx $F0 $41 $10 $00 $18 $12 $40 $01 $30 val cks-1 6 $F7",
            "$encoder 2", ".minmax 0 16383", ".default 6843",
            ".tx $F0 $7D val12.13 val8.11 val4.7 val0.3 val7.13 val0.6 val1.7 val0 cks-2 1 "
            "cks-3 1 $F7",
            "$encoder 3", ".default 64", ".minmax 0 127",
            ".tx $B0 $10 reloffs $B0 $11 relsign $B0 $12 rel2s", "$encoder 4", ".minmax 0 127",
            ".default 64", ".tx 5 $B0 $13 val $14 val $15", "$encoder 5",
            ".easypar CC 1 9 0 127 absolute", ".tx $B1 $09 val"});
    // Roland's checksum of the address and the value.
    EXPECT_EQ(turn(1, 1),
              (Sent{{0xF0, 0x41, 0x10, 0x00, 0x18, 0x12, 0x40, 0x01, 0x30, 0x01, 0x0E, 0xF7}}));
    EXPECT_EQ(turn(1, 1).front()[10], 0x0D);
    // 6844 is 1ABC in hexadecimal.
    EXPECT_EQ(turn(2, 1), (Sent{{0xF0, 0x7D, 0x01, 0x0A, 0x0B, 0x0C, 0x35, 0x3C, 0x5E, 0x00, 0x6E,
                                 0x48, 0xF7}}));
    EXPECT_EQ(turn(3, -1), (Sent{cc(16, 0x3F), cc(17, 0x41), cc(18, 0x7F)}));
    // The bytes go out as the messages a receiver reads: running status repeats B0, a data byte
    // with no status before it and an unfinished message are lost.
    EXPECT_EQ(turn(4, 1), (Sent{cc(19, 65), cc(20, 65)}));
    // Standard output first, then custom output with the same value.
    EXPECT_EQ(turn(5, 1), (Sent{cc(9, 1), cc(9, 1, 2)}));
}

TEST_F(ControllerOutputTest, KeysSendCustomOutputAsTheirModeSays) {
    define({"$button 1", ".minmax 0 1", ".mode toggle", ".tx ifp $90 $3C $7F ifn $80 $3C $00",
            "$button 2", ".minmax 10 20", ".mode updown", ".tx $B0 $50 val", "$button 3",
            ".minmax 10 20", ".tx $B0 $51 val", "$button 4", ".easypar CC 1 100 4 0 increment 1",
            ".tx $F0 $41 $10 $42 $12 val cks-1 4 $F7"});
    // Switched on, the part after "ifp"; off, the part after "ifn".
    EXPECT_EQ(press(1), (Sent{{0x90, 0x3C, 0x7F}}));
    EXPECT_EQ(press(1), (Sent{{0x80, 0x3C, 0x00}}));
    EXPECT_EQ(press(2), (Sent{cc(80, 20), cc(80, 10)}));
    EXPECT_EQ(press(3), Sent{cc(81, 20)});
    EXPECT_EQ(press(3), Sent{cc(81, 20)});
    // "val" is the value the standard output counts.
    EXPECT_EQ(press(4), (Sent{cc(100, 1), {0xF0, 0x41, 0x10, 0x42, 0x12, 0x01, 0x6D, 0xF7}}));
}

TEST_F(ControllerOutputTest, SaysWhatEachDetentAndPressChangedAndSent) {
    define({"$encoder 33", ".easypar NRPN 1 5 0 3 absolute", "$button 33",
            ".easypar CC 2 60 127 0 toggleoff"});
    const SimulatedController::Outcome turned = controller.Turn(33, 5);
    EXPECT_EQ(turned.Changes,
              (QStringList{"encoder 33: 0 -> 1", "encoder 33: 1 -> 2", "encoder 33: 2 -> 3"}));
    EXPECT_EQ(turned.SentByChange, (std::vector<std::size_t>{3, 3, 3}));
    EXPECT_EQ(turned.Sent.size(), 9u);
    const SimulatedController::Outcome pressed = controller.Press(33);
    EXPECT_EQ(pressed.Changes, (QStringList{"button 33: 0 -> 127", "button 33: 127 -> 0"}));
    EXPECT_EQ(pressed.SentByChange, (std::vector<std::size_t>{1, 1}));
    EXPECT_TRUE(controller.Turn(1, 3).Changes.isEmpty()); // not defined
}

} // namespace
