#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

struct MultiDumps : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    const TMulti& multi = e.Map().Multi();
    void SetUp() override {
        f.startWithDevices();
        f.showMultipartPage();
    }
};

TEST_F(MultiDumps, FirstBlockSetsEveryControlTheSecondOnlyChanges) {
    int notices = 0;
    for (int index = 0; index < 95; ++index)
        if (KnobValue* knob = e.Map().MultiRow(index)->Param->Knob)
            knob->OnChange = [&] { ++notices; };
    const DumpMessages zeros;
    f.fromSynth(zeros.multiBlock);
    EXPECT_EQ(notices, 3 + 8 * 7); // every knob whose record the block holds
    EXPECT_EQ(f.caption("lCurrentMulti"), QStringLiteral("Current: From Synth"));
    notices = 0;
    f.fromSynth(zeros.multiBlock);
    EXPECT_EQ(notices, 0);
    EXPECT_TRUE(f.toController().empty()); // multis are never echoed
}

TEST_F(MultiDumps, PartValuesLandInTheirRecords) {
    const DumpMessages dump([](DumpMessages::Source& m) {
        m.set(m.map.Multi().Part(2).Field(PartField::Patch), 12);
        m.set(m.map.Multi().Part(3).Field(PartField::Volume), 77);
        m.set(m.map.Multi().Field(MultiField::MasterTune), 64);
    });
    f.fromSynth(dump.multiBlock);
    EXPECT_EQ(f.val(multi.Part(2).Field(PartField::Patch)), 12);
    EXPECT_EQ(f.val(multi.Part(3).Field(PartField::Volume)), 77);
    EXPECT_EQ(f.caption("lMasterTune"), QStringLiteral("0"));
    EXPECT_EQ(f.caption("lPatch2"), QStringLiteral("12")); // no names file: numbers
}

TEST_F(MultiDumps, BankStoredByTheDumpNamesTheVoiceFromThatBank) {
    QFile names(f.folderFile(QStringLiteral("USERNames.txt")));
    ASSERT_TRUE(names.open(QIODevice::WriteOnly));
    names.write("U one\r\nU two\r\nU three\r\n");
    names.close();
    EditorFixture g; // a fresh editor that reads the file at start-up
    EXPECT_TRUE(QFile::copy(names.fileName(), g.folderFile(QStringLiteral("USERNames.txt"))));
    g.startWithDevices();
    const DumpMessages dump([](DumpMessages::Source& m) {
        m.set(m.map.Multi().Part(4).Field(PartField::Bank), 1);
        m.set(m.map.Multi().Part(4).Field(PartField::Patch), 2);
    });
    g.editor.pcModeChange(Editor::Page::Multipart);
    g.settle();
    g.clearSent();
    g.fromSynth(dump.multiBlock);
    EXPECT_EQ(g.caption("lPatch4"), QStringLiteral("U three"));
    EXPECT_EQ(g.knob("kPatch4").ValStrList().value(0), QStringLiteral("User 1"));
    EXPECT_TRUE(g.toSynth().empty()); // re-targeting sends nothing
}

TEST(MultiBankChange, ADumpThatChangesAPartsBankShowsNoBox) {
    EditorFixture f;
    const auto writeNames = [&](const char* file, int count, const char* prefix) {
        QFile names(f.folderFile(QString::fromLatin1(file)));
        ASSERT_TRUE(names.open(QIODevice::WriteOnly));
        for (int n = 0; n < count; ++n)
            names.write(prefix + QByteArray::number(n) + "\r\n");
    };
    writeNames("ROMNames.txt", 100, "Rom ");
    writeNames("USERNames.txt", 3, "User ");
    f.startWithDevices();
    f.showMultipartPage();
    const auto partFour = [](int bank, int voice) {
        return DumpMessages([=](DumpMessages::Source& m) {
                   m.set(m.map.Multi().Part(4).Field(PartField::Bank), bank);
                   m.set(m.map.Multi().Part(4).Field(PartField::Patch), voice);
               })
            .multiBlock;
    };
    f.fromSynth(partFour(0, 50));
    EXPECT_EQ(f.caption("lPatch4"), QStringLiteral("Rom 50"));
    f.prompts.shown.clear();
    // The old voice number is beyond the user bank's three names, and 60 beyond them too.
    f.fromSynth(partFour(1, 2));
    EXPECT_EQ(f.caption("lPatch4"), QStringLiteral("User 2"));
    f.fromSynth(partFour(0, 60));
    EXPECT_EQ(f.caption("lPatch4"), QStringLiteral("Rom 60"));
    EXPECT_EQ(f.knob("kPatch4").ValStrList().value(0), QStringLiteral("ROM 1"));
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join(QLatin1Char('\n')).toStdString();
}

TEST_F(MultiDumps, BuildingAfterDecodingReproducesTheMessage) {
    const DumpMessages dump([](DumpMessages::Source& m) {
        int v = 0;
        for (int index = 0; index < 95; ++index) {
            const TSyx_Param& r = *m.map.MultiRow(index)->Param;
            m.set(r, (v += 7) % (r.Max + 1));
        }
    });
    auto received = dump.multiBlock;
    received[16 + 4 + 11] = 0x2A; // a part's unused byte is kept as received
    received[116] = Sysex::SysexChecksum(received.data() + 6, 110);
    f.fromSynth(received);
    f.fromSynth(dump.multiEffect);
    // Saving builds both messages from the records.
    const QString path = f.folderFile(QStringLiteral("Built.SYX"));
    f.files.answers.push_back(path);
    e.bSaveMultiClick();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    const auto bytes = [](const QByteArray& b) {
        return EditorFixture::Message(b.begin(), b.end());
    };
    EXPECT_EQ(bytes(saved.left(118)), received);
    EXPECT_EQ(bytes(saved.mid(118)), dump.multiEffect);
}

} // namespace
