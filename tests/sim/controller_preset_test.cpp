#include "model/bcl_sysex.h"
#include "model/record_tables.h"
#include "sim/simulated_controller_device.h"
#include "support/editor_fixture.h"
#include "support/preset_files.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// The editor between the simulated controller ("BCR", in place of the fixture's plain device)
// and the simulated synth ("Synth"), with the three preset files in its start folder.
struct ControllerPresetTest : testing::Test {
    ControllerPresetTest() {
        fixture.midi.RemoveDevice(QStringLiteral("BCR"));
        bcr = std::make_unique<SimulatedControllerDevice>(fixture.midi, QStringLiteral("BCR"));
        for (const char* name : {"Marrowlink.SYX", "Marrowlink_Rev.SYX", "Marrowlink_Norm.SYX"})
            EXPECT_TRUE(QFile::copy(presetPath(name), fixture.folderFile(QLatin1String(name))));
        fixture.startWithDevices();
    }

    int synthVoiceByte(int para) const {
        return fixture.simulator->Snapshot().CurrentVoice().Block[std::size_t(para)];
    }
    void settle() { fixture.settle(); }

    EditorFixture fixture{EditorFixture::Synth::Simulated};
    std::unique_ptr<SimulatedControllerDevice> bcr;
};

TEST_F(ControllerPresetTest, UploadedPresetsMakeTheControllerEditTheSynthAndShowTheEditor) {
    fixture.editor.bLoadBCRClick();
    settle();
    EXPECT_TRUE(fixture.prompts.shown.isEmpty())
        << fixture.prompts.shown.join(QLatin1Char('\n')).toStdString();

    // The main file and, the envelope times being reversed by default, the Rev file.
    SimulatedController controller = bcr->Snapshot();
    const auto& answers = controller.Answers();
    ASSERT_EQ(answers.size(),
              sysexMessages(readBytes(presetPath("Marrowlink.SYX"))).size() +
                  sysexMessages(readBytes(presetPath("Marrowlink_Rev.SYX"))).size());
    for (const SimulatedController::Answer& answer : answers)
        EXPECT_EQ(answer.error, 0) << answer.index << " " << answer.text.toStdString();
    EXPECT_GT(controller.Encoder(49).first, controller.Encoder(49).second);

    // The upload ends by selecting operator 1: its key and the four operator switches light up.
    EXPECT_EQ(controller.Button(49).value, 1);
    for (int push = 5; push <= 8; ++push)
        EXPECT_EQ(controller.Button(push).value, 1) << push;

    // Selecting operator 2 on the controller: the editor echoes its values onto the lower rows.
    bcr->Press(50);
    settle();
    controller = bcr->Snapshot();
    EXPECT_EQ(controller.Button(49).value, 0);
    EXPECT_EQ(controller.Button(50).value, 1);
    const int attackPara = Tables::opBase(Tables::Group12, 1); // operator 2's AR
    const int attack = synthVoiceByte(attackPara);
    ASSERT_GE(attack, 2);
    EXPECT_EQ(controller.Encoder(49).value, attack);

    // Turning the reversed attack encoder clockwise lowers operator 2's attack rate on the synth.
    bcr->Turn(49, 2);
    settle();
    EXPECT_EQ(synthVoiceByte(attackPara), attack - 2);
    EXPECT_EQ(bcr->Snapshot().Encoder(49).value, attack - 2);
    EXPECT_TRUE(fixture.prompts.shown.isEmpty())
        << fixture.prompts.shown.join(QLatin1Char('\n')).toStdString();
}

} // namespace

namespace {

// A preset file of these lines, as the generator writes them, in place of the main one.
void writeMainPreset(EditorFixture& fixture, const QStringList& lines) {
    QFile file(fixture.folderFile(QStringLiteral("Marrowlink.SYX")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(Bcl::LineMessages(lines));
}

TEST_F(ControllerPresetTest, ALineTheControllerRefusesStopsTheUploadAndIsReported) {
    writeMainPreset(fixture, {"$rev R1", "$preset", "  .bogus 1", "$end"});
    fixture.editor.bLoadBCRClick();
    settle();
    ASSERT_FALSE(fixture.prompts.shown.isEmpty());
    EXPECT_EQ(fixture.prompts.shown.first(),
              QStringLiteral("error: The controller refused line 2 of Marrowlink.SYX (\"  .bogus "
                             "1\"): error 1, unknown token. The rest of the file was not sent."));
    // "$end" never went out; the Rev file that follows is a file of its own.
    const SimulatedController controller = bcr->Snapshot();
    const auto& answers = controller.Answers();
    ASSERT_GE(answers.size(), 4u);
    EXPECT_EQ(answers[2].error, Bcl::UnknownToken);
    EXPECT_EQ(answers[3].text, QStringLiteral("$rev R1"));
}

} // namespace
