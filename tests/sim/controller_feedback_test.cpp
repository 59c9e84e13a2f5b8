#include "bcl_lines.h"

#include <gtest/gtest.h>

namespace {

// The values the controller shows from what it receives.
struct ControllerFeedbackTest : testing::Test {
    void define(const QStringList& lines) { ASSERT_TRUE(defineBlock(controller, lines)); }
    QStringList receive(std::initializer_list<Bytes> messages) {
        QStringList changes;
        for (const Bytes& message : messages)
            changes << controller.Receive(message).Changes;
        return changes;
    }

    SimulatedController controller;
};

TEST_F(ControllerFeedbackTest, AnNrpnOrA14BitValueShowsOnceItsPartsHaveCome) {
    define({"$encoder 1", ".easypar NRPN 9 110 0 127 absolute", "$encoder 2",
            ".easypar NRPN 9 1000 0 16383 absolute/14", "$encoder 3",
            ".easypar CC 3 7 0 16383 absolute/14", "$encoder 4", ".easypar CC 9 6 0 127 absolute"});
    // An NRPN of another number changes neither; data entry is also a controller of its own.
    receive({cc(99, 0, 9), cc(98, 111, 9), cc(6, 20, 9)});
    EXPECT_EQ(controller.Encoder(1).value, 0);
    EXPECT_EQ(controller.Encoder(4).value, 20);
    receive({cc(99, 0, 9), cc(98, 110, 9), cc(6, 12, 9)});
    EXPECT_EQ(controller.Encoder(1).value, 12);

    receive({cc(99, 7, 9), cc(98, 0x68, 9), cc(6, 2, 9)});
    EXPECT_EQ(controller.Encoder(2).value, 256);
    receive({cc(38, 45, 9)});
    EXPECT_EQ(controller.Encoder(2).value, 301);

    receive({cc(7, 0x40, 3)});
    EXPECT_EQ(controller.Encoder(3).value, 8192);
    EXPECT_EQ(receive({cc(39, 0x05, 3)}), QStringList{"encoder 3: 8192 -> 8197"});
}

TEST_F(ControllerFeedbackTest, NotesProgramsPitchBendAndAftertouchShowOnTheirElements) {
    define({"$button 1", ".easypar NOTE 10 36 100 toggleon", "$button 2",
            ".easypar PC 3 off off 12", "$encoder 1", ".easypar PC 3 off off 10 20", "$encoder 2",
            ".easypar PB 2 0 16383", "$encoder 3", ".easypar AT 1 all 0 127", "$encoder 4",
            ".easypar AT 1 60 0 127"});
    receive({{0x99, 0x24, 0x40}});
    EXPECT_TRUE(controller.Button(1).lit());
    receive({{0x89, 0x24, 0x40}});
    EXPECT_FALSE(controller.Button(1).lit());
    receive({{0x99, 0x24, 0x40}, {0x99, 0x24, 0x00}});
    EXPECT_FALSE(controller.Button(1).lit());
    // A program key lights while its program is the channel's.
    receive({{0xC2, 12}});
    EXPECT_TRUE(controller.Button(2).lit());
    EXPECT_EQ(controller.Encoder(1).value, 12);
    receive({{0xC2, 30}});
    EXPECT_FALSE(controller.Button(2).lit());
    EXPECT_EQ(controller.Encoder(1).value, 20); // shown at the end of its range
    receive({{0xE1, 0x05, 0x40}, {0xD0, 0x21}, {0xA0, 0x3C, 0x22}, {0xA0, 0x3D, 0x33}});
    EXPECT_EQ(controller.Encoder(2).value, 8197);
    EXPECT_EQ(controller.Encoder(3).value, 0x21);
    EXPECT_EQ(controller.Encoder(4).value, 0x22);
}

TEST_F(ControllerFeedbackTest, RelativeEncodersAndCustomOutputShowNothingTheyReceive) {
    define({"$encoder 1", ".easypar CC 1 16 0 127 relative-1", "$encoder 2", ".minmax 0 127",
            ".tx $B0 $11 val"});
    EXPECT_EQ(receive({cc(16, 5), cc(17, 6)}),
              (QStringList{"control change 16 = 5 on channel 1: nothing changed",
                           "control change 17 = 6 on channel 1: nothing changed"}));
    EXPECT_EQ(receive({{0xC0, 5}, {0x90, 60, 1}, {0xE0, 0, 0x40}, {0xD1, 9}}),
              (QStringList{"program change 5 on channel 1: nothing changed",
                           "note 60 velocity 1 on channel 1: nothing changed",
                           "pitch bend 8192 on channel 1: nothing changed",
                           "aftertouch 09 on channel 2: nothing changed"}));
    EXPECT_EQ(controller.Encoder(1).value, 0);
    EXPECT_EQ(controller.Encoder(2).value, 0);
}

} // namespace
