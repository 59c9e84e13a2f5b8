#include "model/controller_layout.h"
#include "sim/simulated_controller.h"
#include "support/preset_files.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
using ControllerLayout::Kind;

Bytes bclLine(int index, const char* text) {
    Bytes message{0xF0,
                  0x00,
                  0x20,
                  0x32,
                  0x7F,
                  0x15,
                  0x20,
                  std::uint8_t(index >> 7),
                  std::uint8_t(index & 0x7F)};
    for (const char* c = text; *c; ++c)
        message.push_back(std::uint8_t(*c));
    message.push_back(0xF7);
    return message;
}

Bytes cc(int number, int value, int channel = 1) {
    return {std::uint8_t(0xB0 + channel - 1), std::uint8_t(number), std::uint8_t(value)};
}

struct SimulatedControllerTest : testing::Test {
    // Sends every message of a preset file; the answers' error codes, in order.
    std::vector<int> upload(const char* file) {
        std::vector<int> errors;
        for (const Bytes& message : sysexMessages(readBytes(presetPath(file)))) {
            const auto outcome = controller.Receive(message);
            EXPECT_EQ(outcome.Sent.size(), 1u);
            errors.push_back(controller.Answers().back().error);
        }
        return errors;
    }
    // Sends lines numbered from 0.
    void send(std::initializer_list<const char*> lines) {
        int index = 0;
        for (const char* text : lines)
            controller.Receive(bclLine(index++, text));
    }
    std::vector<Bytes> turn(int encoder, int steps) { return controller.Turn(encoder, steps).Sent; }
    std::vector<Bytes> press(int button) { return controller.Press(button).Sent; }

    SimulatedController controller;
};

TEST_F(SimulatedControllerTest, AcceptsTheThreeUploadsLineByLineAndStoresNothing) {
    for (const char* file : {"Marrowlink.SYX", "Marrowlink_Rev.SYX", "Marrowlink_Norm.SYX"}) {
        const std::vector<int> errors = upload(file);
        ASSERT_GT(errors.size(), 20u) << file;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), 0), std::ptrdiff_t(errors.size()))
            << file;
    }
    // The answer to a line carries its index and the error code.
    EXPECT_EQ(controller.Receive(bclLine(0, "$rev R1")).Sent.front(),
              (Bytes{0xF0, 0x00, 0x20, 0x32, 0x00, 0x15, 0x21, 0x00, 0x00, 0x00, 0xF7}));
    for (int preset = 1; preset <= BclInterpreter::PresetCount; ++preset)
        EXPECT_FALSE(controller.Interpreter().Stored(preset)) << preset;
}

TEST_F(SimulatedControllerTest, RefusesACorruptedLineWithItsNumberAndError) {
    QByteArray file = readBytes(presetPath("Marrowlink.SYX"));
    const qsizetype at = file.indexOf(".easypar CC 1 25 0 48 absolute");
    ASSERT_GT(at, 0);
    file.replace(at + 9, 2, "XX");
    std::vector<SimulatedController::Answer> refused;
    for (const Bytes& message : sysexMessages(file))
        controller.Receive(message);
    for (const SimulatedController::Answer& answer : controller.Answers())
        if (answer.error != BclInterpreter::Accepted)
            refused.push_back(answer);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text, QStringLiteral(".easypar XX 1 25 0 48 absolute"));
    EXPECT_EQ(refused[0].error, BclInterpreter::UnknownToken);
    EXPECT_EQ(controller.Answers()[std::size_t(refused[0].index)].text, refused[0].text);
    EXPECT_FALSE(controller.Encoder(34).defined);
    EXPECT_TRUE(controller.Encoder(35).defined);
}

TEST_F(SimulatedControllerTest, RefusesWhatTheUnitRefuses) {
    using E = BclInterpreter::Error;
    // No block yet; a block with a line missing, after which the index follows on; a block for
    // the fader model, and one of an unknown revision.
    controller.Receive(bclLine(0, "$encoder 1"));
    controller.Receive(bclLine(0, "$rev R1"));
    controller.Receive(bclLine(2, "$encoder 1"));
    controller.Receive(bclLine(3, "$encoder 2"));
    controller.Receive(bclLine(0, "$rev F1"));
    controller.Receive(bclLine(1, "$preset"));
    controller.Receive(bclLine(0, "$rev R2"));
    const auto& answers = controller.Answers();
    EXPECT_EQ(answers[0].error, E::NoRevision);
    EXPECT_EQ(answers[2].error, E::BadIndex);
    EXPECT_EQ(answers[3].error, E::Accepted);
    EXPECT_EQ(answers[4].error, E::WrongModel);
    EXPECT_EQ(answers[5].error, E::NoRevision);
    EXPECT_EQ(answers[6].error, E::WrongRevision);

    const std::pair<const char*, int> lines[] = {
        {"$rev R1", E::Accepted},
        {".name 'x'", E::NoSection},
        {"$fader 1", E::UnknownToken},
        {"$encoder 57", E::ElementOutOfRange},
        {"$button 0", E::ElementOutOfRange},
        {"$encoder x", E::NotANumber},
        {"encoder 1", E::DollarOrDotExpected},
        {"$preset", E::Accepted},
        {".name 'abcdefghijklmnopqrstuvwxy'", E::BadText}, // 25 characters
        {".name 'open", E::BadText},
        {".easypar CC 1 1 0 1 absolute", E::NotAllowedHere},
        {".egroups 5", E::ValueOutOfRange},
        {".snapshot maybe", E::UnknownToken},
        {"$encoder 33", E::Accepted},
        {".easypar CC 1 200 0 99 absolute", E::ValueOutOfRange},
        {".easypar CC 17 1 0 99 absolute", E::ValueOutOfRange},
        {".easypar PGM 1 1 0 99 absolute", E::UnknownToken},
        {".easypar CC 1 1 0 99", E::WrongArgumentCount},
        {".easypar CC 1 1 0 99 relative-4", E::UnknownToken},
        {".mode bar", E::ValueOutOfRange}, // a mode of the top encoders only
        {".mode 1dot", E::Accepted},
        {".name 'x'", E::NotAllowedHere},
        {"$button 40", E::Accepted},
        {".resolution 96", E::NotAllowedHere},
        {".easypar CC 1 8 1 0 increment", E::WrongArgumentCount},
        {".easypar CC 1 8 1 0 toggleon 1", E::WrongArgumentCount},
        {".easypar CC 1 8 1 0 increment 200", E::ValueOutOfRange},
        {"$end", E::Accepted},
        {".init", E::NoRevision},
    };
    int index = 0;
    for (const auto& [text, error] : lines) {
        controller.Receive(bclLine(index++, text));
        EXPECT_EQ(controller.Answers().back().error, error) << text;
    }
    // A refused line changes nothing.
    EXPECT_FALSE(controller.Encoder(33).defined);
    EXPECT_FALSE(controller.Button(40).defined);
}

TEST_F(SimulatedControllerTest, EveryEncoderSendsItsRowWithinItsRangeInBothDirections) {
    upload("Marrowlink.SYX");
    for (const auto& element : ControllerLayout::Elements) {
        if (!ControllerLayout::isEncoder(element))
            continue;
        const std::vector<Bytes> up = turn(element.number, 200);
        ASSERT_EQ(up.size(), std::size_t(element.max)) << element.name;
        for (std::size_t i = 0; i < up.size(); ++i)
            EXPECT_EQ(up[i], cc(element.cc, int(i) + 1)) << element.name;
        EXPECT_TRUE(turn(element.number, 1).empty()) << element.name;
        EXPECT_EQ(turn(element.number, -200).back(), cc(element.cc, 0)) << element.name;
    }

    // Reversed, a rate counts down clockwise; back to normal, up again.
    upload("Marrowlink_Rev.SYX");
    EXPECT_TRUE(turn(49, 3).empty());
    EXPECT_EQ(turn(49, -2), (std::vector<Bytes>{cc(40, 1), cc(40, 2)}));
    EXPECT_EQ(turn(53, -1), std::vector<Bytes>{cc(44, 1)});
    upload("Marrowlink_Norm.SYX");
    EXPECT_EQ(turn(53, 2), (std::vector<Bytes>{cc(44, 1), cc(44, 2)}));
}

TEST_F(SimulatedControllerTest, EveryKeySendsOneMessageAPress) {
    upload("Marrowlink.SYX");
    for (const auto& element : ControllerLayout::Elements) {
        if (ControllerLayout::isEncoder(element))
            continue;
        std::vector<Bytes> sent;
        for (int i = 0; i <= element.max; ++i) {
            const std::vector<Bytes> one = press(element.number);
            ASSERT_EQ(one.size(), 1u) << element.name;
            sent.push_back(one.front());
        }
        // Up through the range, then round to 0; a two-valued key alternates 1 and 0.
        for (int i = 0; i <= element.max; ++i)
            EXPECT_EQ(sent[std::size_t(i)], cc(element.cc, (i + 1) % (element.max + 1)))
                << element.name;
    }
}

TEST_F(SimulatedControllerTest, KeyModesBehaveAsDocumented) {
    send({"$rev R1", "$button 33", ".easypar CC 2 60 127 0 toggleoff", "$button 34",
          ".easypar CC 1 61 100 10 increment -40", ".default 100", "$end"});
    // Momentary: one value on press, the other on release.
    EXPECT_EQ(press(33), (std::vector<Bytes>{cc(60, 127, 2), cc(60, 0, 2)}));
    // Counting down from the first value towards the second, then round.
    std::vector<Bytes> down;
    for (int i = 0; i < 3; ++i)
        down.push_back(press(34).front());
    EXPECT_EQ(down, (std::vector<Bytes>{cc(61, 60), cc(61, 20), cc(61, 100)}));
}

TEST_F(SimulatedControllerTest, AnIncomingControlChangeLightsTheElementsThatSendIt) {
    upload("Marrowlink.SYX");
    auto outcome = controller.Receive(cc(24, 5));
    EXPECT_EQ(controller.Encoder(33).value, 5);
    EXPECT_EQ(outcome.Changes, QStringList{QStringLiteral("encoder 33: 0 -> 5")});
    EXPECT_TRUE(outcome.Sent.empty());
    controller.Receive(cc(24, 100)); // beyond the range: shown at its end
    EXPECT_EQ(controller.Encoder(33).value, 7);
    controller.Receive(cc(24, 2, 2)); // another channel
    EXPECT_EQ(controller.Encoder(33).value, 7);
    EXPECT_EQ(turn(33, -1), std::vector<Bytes>{cc(24, 6)});

    // A lit toggle key turns off at the next press.
    controller.Receive(cc(8, 1));
    EXPECT_EQ(press(33), std::vector<Bytes>{cc(8, 0)});
    // The effect type key counts on from the value shown.
    controller.Receive(cc(20, 9));
    EXPECT_EQ(press(45), std::vector<Bytes>{cc(20, 10)});
    EXPECT_EQ(press(45), std::vector<Bytes>{cc(20, 0)});
}

} // namespace
