#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace {

// The shared knobs and labels of rows 0..3 and 32..47 show the current group's and the selected
// operator's values, whatever path the voice took to get there.
template <EditorFixture::Synth synth> struct VoiceOnScreenWith : ::testing::Test {
    EditorFixture f{synth};
    Editor& e = f.editor;
    void SetUp() override {
        f.startWithDevices();
        f.settle();
    }

    void expectCurrentVariantsShown(const char* path) {
        SCOPED_TRACE(path);
        const int op = e.State().SelectedOp;
        const int group = e.State().ModGroup;
        for (int row = 32; row <= 47; ++row) {
            const TSyx_Param& record = *e.Map().Row(row)->Variant[op];
            const int value = f.val(record);
            EXPECT_EQ(f.knob(qPrintable(QStringLiteral("Knob%1").arg(row))).Position(), value)
                << "row " << row;
            const QString text =
                record.ValNames->isEmpty() ? QString::number(value) : record.ValNames->at(value);
            EXPECT_EQ(f.caption(qPrintable(QStringLiteral("lVal%1").arg(row))), text)
                << "row " << row;
        }
        for (int row = 0; row <= 3; ++row) {
            if (const TSyx_Param* record = e.Map().Row(row)->Variant[group]) {
                EXPECT_EQ(f.knob(qPrintable(QStringLiteral("Knob%1").arg(row))).Position(),
                          f.val(*record))
                    << "row " << row;
            }
        }
    }

    // A voice whose four operators and four groups differ in every value.
    static DumpMessages distinctVoice(int seed) {
        return DumpMessages([seed](DumpMessages::Source& m) {
            for (int row = 0; row <= 47; ++row)
                for (int slot = 0; slot < 4; ++slot)
                    if (const TSyx_Param* record = m.map.Row(row)->Variant[slot])
                        m.set(*record, (row + 3 * slot + seed) % (record->Max + 1));
        });
    }
    void fromSynth(const DumpMessages& voice) {
        for (const auto* m :
             {&voice.voiceBlock, &voice.addVoice, &voice.aftertouch, &voice.voiceEffect})
            f.fromSynth(*m);
    }
};

// The simulated synth's voice, fetched at start-up, has operators that differ.
using VoiceOnScreenAtStart = VoiceOnScreenWith<EditorFixture::Synth::Simulated>;
TEST_F(VoiceOnScreenAtStart, StartUpAndItsFetch) {
    expectCurrentVariantsShown("start-up");
}

using VoiceOnScreen = VoiceOnScreenWith<EditorFixture::Synth::Plain>;
TEST_F(VoiceOnScreen, AfterEveryPath) {
    fromSynth(distinctVoice(1));
    expectCurrentVariantsShown("fetch");

    f.cc(102, 1); // operator 3
    f.cc(48, 0);  // the next group
    expectCurrentVariantsShown("operator and group change");

    f.cc(20, 1); // the controller's fetch keeps the selection
    fromSynth(distinctVoice(2));
    ASSERT_EQ(e.State().SelectedOp, 2);
    expectCurrentVariantsShown("fetch that keeps the selection");

    const DumpMessages file = distinctVoice(3);
    QFile saved(f.folderFile(QStringLiteral("Distinct.SYX")));
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    for (const auto* m : {&file.addVoice, &file.aftertouch, &file.voiceEffect, &file.voiceBlock})
        saved.write(reinterpret_cast<const char*>(m->data()), qint64(m->size()));
    saved.close();
    f.cc(103, 1); // operator 4
    f.files.answers.push_back(saved.fileName());
    e.bLoadPatchClick();
    f.settle();
    expectCurrentVariantsShown("load");

    e.sbRandChange(100);
    f.random.values = {7, 19, 3, 28, 11, 5, 23, 2};
    e.lRandomClick();
    f.settle();
    expectCurrentVariantsShown("randomise");
}

} // namespace
