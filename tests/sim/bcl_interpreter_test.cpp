#include "bcl_lines.h"

#include <gtest/gtest.h>

namespace {

using E = BclInterpreter::Error;
using Output = ControllerElement::Output;

// A preset written the way the maker's editor exports them and people write them by hand:
// indented statements, comments after a line and on lines of their own, empty lines, a request
// of its own, elements of every kind, a store and a global set-up.
const QStringList EveryFeature = {
    QStringLiteral("$rev R1"),
    QStringLiteral("$preset"),
    QStringLiteral("  .name 'Every feature           '"),
    QStringLiteral("  .snapshot off"),
    QStringLiteral("  .request on"),
    QStringLiteral("  .egroups 4"),
    QStringLiteral("  .fkeys on"),
    QStringLiteral("  .lock off"),
    QStringLiteral("  .init"),
    QStringLiteral("  .tx $F0 $43 $20 $7F $F7 ; asks the synth for its voice"),
    QString(),
    QStringLiteral("; the top row"),
    QStringLiteral("$encoder 1 ; volume"),
    QStringLiteral("  .easypar CC 1 7 0 127 absolute"),
    QStringLiteral("  .showvalue on"),
    QStringLiteral("  .mode bar"),
    QStringLiteral("  .resolution 96 192 768 2304"),
    QStringLiteral("  .default 100"),
    QStringLiteral("$encoder 2"),
    QStringLiteral("\t.easypar CC 1 16 0 127 relative-2"),
    QStringLiteral("$encoder 33"),
    QStringLiteral("  .easypar NRPN 2 1000 0 16383 absolute/14"),
    QStringLiteral("  .mode 1dot/off"),
    QStringLiteral("$encoder 34"),
    QStringLiteral("  .minmax 0 7"),
    QStringLiteral("  .tx $F0 $41 $10 $00 $18 $12 $40 $01 $30 val cks-1 6 $F7"),
    QStringLiteral("$button 33"),
    QStringLiteral("  .easypar NOTE 10 36 100 toggleoff"),
    QStringLiteral("  .mode down"),
    QStringLiteral("$button 34"),
    QStringLiteral("  .easypar PC 3 off 5 12"),
    QStringLiteral("$button 35"),
    QStringLiteral("  .easypar CC 1 64 127 off toggleoff"),
    QStringLiteral("$button 36"),
    QStringLiteral("  .minmax 0 1"),
    QStringLiteral("  .mode toggle"),
    QStringLiteral("  .tx ifp $90 $3C $7F ifn $80 $3C $00"),
    QStringLiteral("$store 5"),
    QStringLiteral("$global"),
    QStringLiteral("  .midimode S-4"),
    QStringLiteral("  .startup last"),
    QStringLiteral("  .footsw inv"),
    QStringLiteral("  .rxch 16"),
    QStringLiteral("  .deviceid 1"),
    QStringLiteral("$end"),
};

struct BclInterpreterTest : testing::Test {
    // Each line after "$rev R1", numbered on from it, must earn its error.
    void expectAnswers(const std::vector<std::pair<const char*, E>>& lines) {
        controller.Receive(bclLine(0, QStringLiteral("$rev R1")));
        int index = 1;
        for (const auto& [text, error] : lines) {
            controller.Receive(bclLine(index++, QLatin1String(text)));
            EXPECT_EQ(controller.Answers().back().error, error) << text;
        }
    }

    SimulatedController controller;
};

TEST_F(BclInterpreterTest, TakesEveryLineOfAPresetWrittenAsTheUnitAcceptsIt) {
    const std::vector<int> errors = sendLines(controller, EveryFeature);
    for (std::size_t i = 0; i < errors.size(); ++i)
        EXPECT_EQ(errors[i], 0) << EveryFeature[qsizetype(i)].toStdString();

    const std::optional<ControllerPreset>& stored = controller.Interpreter().Stored(5);
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, controller.Interpreter().Edit());
    EXPECT_EQ(stored->name, QStringLiteral("Every feature           "));
    ASSERT_EQ(stored->request.size(), 1u);
    const ControllerElement& volume = stored->encoders[0];
    EXPECT_EQ(volume.output, Output::ControlChange);
    EXPECT_EQ(volume.cc, 7);
    EXPECT_EQ(volume.value, 100);
    EXPECT_EQ(volume.ring, QStringLiteral("bar"));
    EXPECT_TRUE(volume.showValue);
    EXPECT_TRUE(stored->encoders[1].relative());
    EXPECT_TRUE(stored->encoders[32].wide);
    EXPECT_EQ(stored->encoders[32].channel, 2);
    EXPECT_FALSE(stored->encoders[33].defined);
    EXPECT_TRUE(stored->encoders[33].sends());
    EXPECT_EQ(stored->buttons[32].output, Output::Note);
    EXPECT_EQ(stored->buttons[33].bankLsb, 5);
    EXPECT_EQ(stored->buttons[34].second, ControllerElement::Off);
    EXPECT_EQ(stored->buttons[35].press, ControllerElement::Press::Toggle);

    const BclInterpreter::Global& global = controller.Interpreter().GlobalSetup();
    EXPECT_EQ(global.midiMode, QStringLiteral("S-4"));
    EXPECT_EQ(global.startup, 0);
    EXPECT_EQ(global.footswitch, QStringLiteral("inv"));
    EXPECT_EQ(global.receiveChannel, 16);
    EXPECT_EQ(global.deviceNumber, 0);
}

TEST_F(BclInterpreterTest, ReadsCommentsQuotesNumbersAndTheRevisionAsTheUnitDoes) {
    EXPECT_EQ(sendLines(controller, {QStringLiteral("$rev R"), QStringLiteral("$preset"),
                                     QStringLiteral(".name 'A;B' ; not part of the name"),
                                     QStringLiteral("$encoder $21 ;"), QStringLiteral("   "),
                                     QStringLiteral(".default $1F"), QStringLiteral("$end")}),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(controller.Interpreter().Edit().name, QStringLiteral("A;B"));
    EXPECT_EQ(controller.Encoder(33).value, 31);

    // What looks like a number but is not one.
    expectAnswers({{"$encoder 0x10", E::NotANumber},
                   {"$encoder $-1", E::NotANumber},
                   {"$encoder 1", E::Accepted},
                   {".default 1x", E::NotANumber},
                   {".default $G0", E::NotANumber}});
}

TEST_F(BclInterpreterTest, RefusesEveryLineTheUnitRefusesWithItsError) {
    expectAnswers({
        {"$rev R1 R1", E::BadIndex}, // a revision line only ever comes first
        {"$store 33", E::ValueOutOfRange},
        {"$store", E::WrongArgumentCount},
        {"$recall x", E::NotANumber},
        {"$global", E::Accepted},
        {".midimode U-5", E::UnknownToken},
        {".deviceid 17", E::ValueOutOfRange},
        {".rxch 0", E::ValueOutOfRange},
        {".startup first", E::NotANumber},
        {".footsw", E::WrongArgumentCount},
        {".name 'x'", E::NotAllowedHere},
        {".easypar CC 1 1 0 127 absolute", E::NotAllowedHere},
        {".txdly 5", E::UnknownToken},
        {"$preset", E::Accepted},
        {".midimode S-4", E::NotAllowedHere},
        {".tx", E::WrongArgumentCount},
        {"$encoder 1", E::Accepted},
        {".easypar CC 1 40 0 16383 absolute/14", E::ValueOutOfRange}, // its low byte: CC 72
        {".easypar CC 1 7 0 200 absolute", E::ValueOutOfRange},
        {".easypar CC 1 7 0 127 inc/dec", E::NotAllowedHere},
        {".easypar NRPN 1 16384 0 127 absolute", E::ValueOutOfRange},
        {".easypar NRPN 1 5 0 128 relative-1", E::ValueOutOfRange},
        {".easypar NOTE 1 36 100 toggleon", E::NotAllowedHere},
        {".easypar PB 1 0", E::WrongArgumentCount},
        {".easypar AT 1 128 0 127", E::ValueOutOfRange},
        {".easypar PC 1 off off 0", E::WrongArgumentCount},
        {".easypar", E::WrongArgumentCount},
        {".mode toggle", E::UnknownToken},
        {".minmax 0", E::WrongArgumentCount},
        {".minmax 0 16384", E::ValueOutOfRange},
        {".default 16384", E::ValueOutOfRange},
        {".tx F0 val", E::UnknownToken},
        {".tx $1FF", E::ValueOutOfRange},
        {".tx $F0 val cks-1", E::WrongArgumentCount},
        {".tx $F0 val cks-4 1", E::UnknownToken},
        {"$button 1", E::Accepted},
        {".easypar PB 1 0 16383", E::NotAllowedHere},
        {".easypar NOTE 1 36 100 increment 1", E::NotAllowedHere},
        {".easypar NOTE 1 36 128 toggleon", E::ValueOutOfRange},
        {".easypar PC 1 off off 0 increment 1", E::WrongArgumentCount},
        {".easypar CC 1 7 off 0 toggleoff", E::NotANumber},
        {".easypar AT 1 all 0 127 toggle", E::UnknownToken},
        {".mode bar", E::UnknownToken},
        {".showvalue yes", E::UnknownToken},
    });
    // A refused line changes nothing.
    EXPECT_FALSE(controller.Encoder(1).sends());
    EXPECT_FALSE(controller.Button(1).sends());
}

TEST_F(BclInterpreterTest, AnElementHoldsAtMostItsStoreOfCustomOutput) {
    // 125 bytes and the line's own two fill the store; the next line does not fit.
    QString full = QStringLiteral(".tx");
    for (int i = 0; i < 125; ++i)
        full += QStringLiteral(" $10");
    const QString tooLong = full + QStringLiteral(" $10");
    controller.Receive(bclLine(0, QStringLiteral("$rev R1")));
    controller.Receive(bclLine(1, QStringLiteral("$button 1")));
    controller.Receive(bclLine(2, tooLong));
    controller.Receive(bclLine(3, full));
    controller.Receive(bclLine(4, QStringLiteral(".tx $F7")));
    controller.Receive(bclLine(5, QStringLiteral("$button 2")));
    controller.Receive(bclLine(6, QStringLiteral(".tx ifp $90 ifn $80 ntimes val cks-1 0")));
    const auto& answers = controller.Answers();
    EXPECT_EQ(answers[2].error, E::TooManyTxBytes);
    EXPECT_EQ(answers[3].error, E::Accepted);
    EXPECT_EQ(answers[4].error, E::TooManyTxBytes);
    EXPECT_EQ(answers[6].error, E::Accepted);
    EXPECT_EQ(controller.Button(1).custom.size(), 1u);
    // What sends no byte takes no room: two bytes, a value and a checksum, and the line's own.
    EXPECT_EQ(controller.Button(2).custom.front().StoredSize(), 6);
}

TEST_F(BclInterpreterTest, AnswersOnlyItsOwnDeviceAndModelWithItsDeviceNumber) {
    ASSERT_TRUE(
        defineBlock(controller, {QStringLiteral("$global"), QStringLiteral(".deviceid 3")}));
    EXPECT_EQ(controller.Receive(bclLine(0, QStringLiteral("$rev R1"), 0x02)).Sent,
              (Sent{{0xF0, 0x00, 0x20, 0x32, 0x02, 0x15, 0x21, 0x00, 0x00, 0x00, 0xF7}}));
    EXPECT_EQ(controller.Receive(bclLine(1, QStringLiteral("$preset"), 0x7F, 0x7F)).Sent,
              (Sent{{0xF0, 0x00, 0x20, 0x32, 0x02, 0x15, 0x21, 0x00, 0x01, 0x00, 0xF7}}));

    const std::size_t answered = controller.Answers().size();
    const auto otherDevice = controller.Receive(bclLine(2, QStringLiteral("$end"), 0x00));
    const auto faderModel = controller.Receive(bclLine(2, QStringLiteral("$end"), 0x7F, 0x14));
    EXPECT_TRUE(otherDevice.Sent.empty());
    EXPECT_EQ(otherDevice.Changes,
              QStringList{QStringLiteral("ignored: a preset line for device 0")});
    EXPECT_TRUE(faderModel.Sent.empty());
    EXPECT_EQ(controller.Answers().size(), answered);
}

} // namespace
