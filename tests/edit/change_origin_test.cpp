#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

Messages nameChanges(const char* name) {
    Messages changes;
    const QByteArray padded = QByteArray(name).leftJustified(10, ' ');
    for (int c = 0; c < 10; ++c)
        changes.push_back(paramChange(0x12, 77 + c, padded[c]));
    return changes;
}

Messages operator+(Messages a, const Messages& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One change of each origin and what the synth gets for it; and whether the controller hears the
// new feedback (row 26) back.
TEST(ChangeOrigins, EachSendsWhatItsOriginCallsFor) {
    const DumpMessages filed([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(26), 5); },
                             QStringLiteral("Filed"));
    const Messages mask{paramChange(0x12, 0x5D, 0x0F)};
    struct Row {
        const char* origin;
        std::function<void(EditorFixture&)> change;
        Messages toSynth;
        bool echoed;
    };
    const Row rows[] = {
        {"screen",
         [](EditorFixture& f) { f.knob("Knob26").UserSetPosition(5); },
         {paramChange(0x12, 53, 5)},
         true},
        {"controller", [](EditorFixture& f) { f.cc(26, 5); }, {paramChange(0x12, 53, 5)}, false},
        {"screen name",
         [](EditorFixture& f) { f.controls.Edit(QStringLiteral("eName")).Type("Typed"); },
         nameChanges("Typed"), false},
        {"synth", [&](EditorFixture& f) { f.fromSynth(filed.voiceBlock); }, mask, true},
        {"file",
         [&](EditorFixture& f) {
             QFile file(f.folderFile(QStringLiteral("Filed.SYX")));
             file.open(QIODevice::WriteOnly);
             for (const auto* m :
                  {&filed.addVoice, &filed.aftertouch, &filed.voiceEffect, &filed.voiceBlock})
                 file.write(reinterpret_cast<const char*>(m->data()), qint64(m->size()));
             file.close();
             f.files.answers.push_back(file.fileName());
             f.editor.bLoadPatchClick();
         },
         Messages{filed.voiceEffect} + mask + Messages{filed.aftertouch} + mask +
             Messages{filed.addVoice} + mask + Messages{filed.voiceBlock} + nameChanges("Filed") +
             mask,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.origin);
        EditorFixture f;
        f.startWithDevices();
        row.change(f);
        f.settle();
        EXPECT_EQ(f.toSynth(), row.toSynth);
        const Messages echoes = f.toController();
        const bool echoed = std::find(echoes.begin(), echoes.end(), echo(26, 5)) != echoes.end();
        EXPECT_EQ(echoed, row.echoed);
    }
}

TEST(ChangeOrigins, TheRandomisersVoiceGoesWholeThenTheMaskAndItsName) {
    EditorFixture f;
    f.startWithDevices();
    f.editor.lRandomClick(); // the scripted draws are all the lowest
    f.settle();
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 15u);
    EXPECT_EQ(sent[0].size(), 101u);
    EXPECT_EQ(sent[1].size(), 41u);
    EXPECT_EQ(sent[2].size(), 28u);
    EXPECT_EQ(sent[3].size(), 21u);
    EXPECT_EQ(Messages(sent.begin() + 4, sent.end()),
              Messages{paramChange(0x12, 0x5D, 0x0F)} + nameChanges("Rand 10000"));
    // Every knob's ring follows; no value button's.
    for (const EditorFixture::Message& m : f.toController())
        EXPECT_FALSE(m[1] >= 8 && m[1] <= 23) << int(m[1]);
}

} // namespace
