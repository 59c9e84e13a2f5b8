#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray bytesOf(const std::vector<std::uint8_t>& m) {
    return QByteArray(reinterpret_cast<const char*>(m.data()), qsizetype(m.size()));
}

struct SoundFiles : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    QString patchPath(const char* name) {
        return f.folderFile(QStringLiteral("Patch/")) + QString::fromLatin1(name);
    }
    void SetUp() override {
        QDir(f.dir.path()).mkpath(QStringLiteral("Patch"));
        QDir(f.dir.path()).mkpath(QStringLiteral("Multi"));
        f.startWithDevices();
    }
    void saveAs(const QString& path, std::optional<Answer> answer = {}) {
        f.files.answers.push_back(path);
        if (answer)
            f.prompts.answers.push_back(*answer);
        e.bSavePatchClick();
    }
    // The effect time set on the Multipart page's knob.
    void setEffectTime(int value) {
        f.knob("kFxTime").UserSetPosition(value);
        f.settle();
        f.clearSent();
    }
};

TEST_F(SoundFiles, SaveOffersTheTrimmedNameAndWritesTheLayout) {
    f.controls.Edit(QStringLiteral("eName")).Type(QStringLiteral("  Bass  "));
    saveAs(patchPath("Bass.SYX"));
    ASSERT_EQ(f.files.requests.size(), 1u);
    const FileDialogRequest& asked = f.files.requests[0];
    EXPECT_EQ(asked.proposedName, QStringLiteral("Bass.SYX"));
    EXPECT_EQ(asked.title, QStringLiteral("Save Patch File"));
    EXPECT_EQ(asked.filter, QStringLiteral("Sysex files (*.syx)|*.SYX"));
    EXPECT_EQ(QDir(asked.folder), QDir(f.folderFile(QStringLiteral("Patch"))));
    const QByteArray file = readAll(patchPath("Bass.SYX"));
    ASSERT_EQ(file.size(), 191);
    for (int at : {0, 41, 69, 90})
        EXPECT_EQ(quint8(file[at]), 0xF0) << at;
    for (int at : {40, 68, 89, 190})
        EXPECT_EQ(quint8(file[at]), 0xF7) << at;
    EXPECT_EQ(file.mid(90, 6), QByteArray("\xF0\x43\x00\x03\x00\x5D", 6));
    EXPECT_EQ(file.mid(90 + 83, 10), QByteArray("  Bass    "));
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Bass"));
}

TEST_F(SoundFiles, OverwriteWithBackupNoAndCancel) {
    writeAll(patchPath("Bass.SYX"), "old");
    saveAs(patchPath("Bass.SYX"), Answer::Cancel);
    EXPECT_EQ(readAll(patchPath("Bass.SYX")), QByteArray("old"));
    EXPECT_EQ(f.caption("lCurrentPatch"), QString());
    EXPECT_EQ(
        f.prompts.shown.value(0),
        QStringLiteral(
            "question3:    File exists !\n\nShall I make a backup? (*.BAK)\n\n(NO to overwrite)"));

    saveAs(patchPath("Bass.SYX"), Answer::Yes);
    EXPECT_EQ(readAll(patchPath("Bass.BAK")), QByteArray("old"));
    EXPECT_EQ(readAll(patchPath("Bass.SYX")).size(), 191);

    // An existing backup is replaced by the file as it was before this save.
    writeAll(patchPath("Bass.SYX"), "second");
    saveAs(patchPath("Bass.SYX"), Answer::Yes);
    EXPECT_EQ(readAll(patchPath("Bass.BAK")), QByteArray("second"));

    writeAll(patchPath("Bass.SYX"), "third");
    saveAs(patchPath("Bass.SYX"), Answer::No);
    EXPECT_EQ(readAll(patchPath("Bass.BAK")), QByteArray("second"));
    EXPECT_EQ(readAll(patchPath("Bass.SYX")).size(), 191);
}

TEST_F(SoundFiles, BackupThatCannotBeMadeWritesNothing) {
    writeAll(patchPath("Lead.SYX"), "keep me");
    QDir(f.dir.path()).mkpath(QStringLiteral("Patch/Lead.BAK")); // a folder where the backup goes
    saveAs(patchPath("Lead.SYX"), Answer::Yes);
    EXPECT_EQ(readAll(patchPath("Lead.SYX")), QByteArray("keep me"));
    EXPECT_TRUE(f.prompts.shown.last().startsWith(QStringLiteral("error: Cannot make the backup")));
    EXPECT_EQ(f.caption("lCurrentPatch"), QString());
}

TEST_F(SoundFiles, SavingOverABackupKeepsItUnderALongerName) {
    writeAll(patchPath("Bass.BAK"), "old");
    saveAs(patchPath("Bass.BAK"), Answer::Yes);
    EXPECT_EQ(readAll(patchPath("Bass.BAK.BAK")), QByteArray("old"));
    EXPECT_EQ(readAll(patchPath("Bass.BAK")).size(), 191);
}

TEST_F(SoundFiles, SavingOverAFifoIsRefusedAndLeavesIt) {
    const QString fifo = patchPath("Pipe.SYX");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    f.controls.Caption(QStringLiteral("lCurrentPatch")).caption = QStringLiteral("Current: Before");
    saveAs(fifo, Answer::Yes);
    EXPECT_EQ(f.prompts.shown, QStringList{QStringLiteral("error: Unable to save %1: it is not a "
                                                          "regular file")
                                               .arg(fifo)});
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_FALSE(QFileInfo::exists(patchPath("Pipe.BAK")));
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Before"));
}

TEST_F(SoundFiles, FailedSaveIsReportedAndTheCaptionStays) {
    f.controls.Caption(QStringLiteral("lCurrentPatch")).caption = QStringLiteral("Current: Before");
    saveAs(f.folderFile(QStringLiteral("missing/folder/X.SYX")));
    ASSERT_FALSE(f.prompts.shown.isEmpty());
    EXPECT_TRUE(f.prompts.shown.last().startsWith(QStringLiteral("error: Unable to save")));
    EXPECT_TRUE(f.prompts.shown.last().contains(QStringLiteral("X.SYX")));
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Before"));
}

TEST_F(SoundFiles, LoadSendsEachMessageThenDecodesIt) {
    const DumpMessages dump([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(26), 6); },
                            QStringLiteral("Organ"));
    writeAll(patchPath("Organ.SYX"), bytesOf(dump.addVoice) + bytesOf(dump.aftertouch) +
                                         bytesOf(dump.voiceEffect) + bytesOf(dump.voiceBlock));
    f.files.answers.push_back(patchPath("Organ.SYX"));
    e.bLoadPatchClick();
    f.settle();
    EXPECT_EQ(f.files.requests[0].title, QStringLiteral("Load Patch File"));
    const auto mask = paramChange(0x12, 0x5D, 0x0F);
    Messages expected{dump.voiceEffect, mask, dump.aftertouch, mask,
                      dump.addVoice,    mask, dump.voiceBlock};
    const char* name = "Organ     ";
    for (int c = 0; c < 10; ++c)
        expected.push_back(paramChange(0x12, 77 + c, name[c]));
    expected.push_back(mask);
    EXPECT_EQ(f.toSynth(), expected);
    EXPECT_EQ(f.val(e.Map().SingleRecord(26)), 6);
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Organ"));
}

TEST_F(SoundFiles, ADumpArrivingDuringTheLoadsWarningWaitsForTheLoad) {
    DumpMessages file([](DumpMessages::Source& m) {
        m.set(m.map.Op(0).Field(OpField::Fine), 3);
        m.set(m.map.SingleRecord(27), 2); // reverb
    });
    file.voiceEffect[16] = 40; // an effect type above 10 warns
    writeAll(patchPath("Warm.SYX"), bytesOf(file.addVoice) + bytesOf(file.aftertouch) +
                                        bytesOf(file.voiceEffect) + bytesOf(file.voiceBlock));
    const DumpMessages synth([](DumpMessages::Source& m) {
        m.set(m.map.Op(0).Field(OpField::Fine), 9);
        m.set(m.map.SingleRecord(27), 6);
    });
    int fineDuringTheLoad = -1;
    f.prompts.whileOpen = [&] {
        f.fromSynth(synth.addVoice);
        fineDuringTheLoad = f.val(e.Map().Op(0).Field(OpField::Fine));
    };
    f.files.answers.push_back(patchPath("Warm.SYX"));
    e.bLoadPatchClick();
    f.settle();
    EXPECT_NE(fineDuringTheLoad, 9);
    // The synth gets the file's own messages, and the dump is decoded after them.
    const Messages sent = f.toSynth();
    EXPECT_NE(std::find(sent.begin(), sent.end(), file.addVoice), sent.end());
    EXPECT_EQ(std::find(sent.begin(), sent.end(), synth.addVoice), sent.end());
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Fine)), 9);
    EXPECT_EQ(f.val(e.Map().SingleRecord(27)), 6);
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Warm"));
}

TEST_F(SoundFiles, AFileIsReadByTheMessagesItHolds) {
    // A voice block alone, as other synths of the family save a voice: its voice, and no more.
    const DumpMessages dump([](DumpMessages::Source& m) { m.set(m.map.SingleRecord(6), 41); },
                            QStringLiteral("DX Voice"));
    writeAll(patchPath("Block.SYX"), bytesOf(dump.voiceBlock));
    f.files.answers.push_back(patchPath("Block.SYX"));
    e.bLoadPatchClick();
    f.settle();
    const Messages sent = f.toSynth();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], dump.voiceBlock);
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const auto& m) { return m.size() > 7; }),
              1);
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 41);
    EXPECT_EQ(e.CurrentVoice().Name(), QStringLiteral("DX Voice  ")); // as the block holds it
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Block"));

    // An additional voice message then a voice block, from a unit on device 2, wherever they stand.
    auto addVoice = dump.addVoice;
    auto block = dump.voiceBlock;
    addVoice[2] = 0x02;
    block[2] = 0x02;
    writeAll(patchPath("Unit.SYX"), QByteArray("\xF8\xFE", 2) + bytesOf(addVoice) + bytesOf(block));
    f.clearSent();
    f.files.answers.push_back(patchPath("Unit.SYX"));
    e.bLoadPatchClick();
    f.settle();
    EXPECT_EQ(f.toSynth()[0], dump.addVoice); // sent as the synth's own, device 00
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join('\n').toStdString();
}

TEST_F(SoundFiles, AFileWithNoVoiceIsRefusedAndChangesNothing) {
    const Voice before = e.CurrentVoice();
    // The controller's "$rev R1" line, as its preset files begin.
    writeAll(patchPath("Preset.SYX"), QByteArray::fromHex("F00020327F1520000024726576205231F7"));
    f.files.answers.push_back(patchPath("Preset.SYX"));
    e.bLoadPatchClick();
    f.settle();
    EXPECT_EQ(f.prompts.shown,
              QStringList{QStringLiteral("error: This file holds no TQ5 voice: it looks like a "
                                         "BCR2000 preset.")})
        << f.prompts.shown.join('\n').toStdString();
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_EQ(e.CurrentVoice(), before);
    EXPECT_FALSE(e.History().CanUndo());
}

TEST_F(SoundFiles, UnopenableFileChangesNothing) {
    f.controls.Caption(QStringLiteral("lCurrentPatch")).caption = QStringLiteral("Current: Before");
    f.files.answers.push_back(patchPath("Nothing.SYX"));
    e.bLoadPatchClick();
    EXPECT_EQ(f.prompts.shown, QStringList{QStringLiteral("error: Unable to open file.")});
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: Before"));
}

TEST_F(SoundFiles, TheProposedNameStaysInThePatchFolder) {
    for (const auto& [name, proposed] :
         {std::pair{"../../evil", "_.._evil.SYX"}, std::pair{"AC/DC", "AC_DC.SYX"},
          std::pair{"Line\nBreak", "LineBreak.SYX"}}) {
        f.controls.Edit(QStringLiteral("eName")).Type(QString::fromLatin1(name));
        e.bSavePatchClick();
        EXPECT_EQ(f.files.requests.back().proposedName, QString::fromLatin1(proposed)) << name;
        EXPECT_EQ(f.files.requests.back().folder, f.folderFile(QStringLiteral("Patch")));
    }
}

TEST_F(SoundFiles, AFifoChosenToLoadIsRefusedWithoutWaiting) {
    const QString fifo = patchPath("Pipe.SYX");
    QDir().mkpath(QFileInfo(fifo).path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    f.files.answers.push_back(fifo);
    e.bLoadPatchClick(); // would wait in open() for a writer for ever
    EXPECT_EQ(f.prompts.shown, QStringList{QStringLiteral("error: Unable to open file.")});
    EXPECT_TRUE(f.toSynth().empty());
}

TEST_F(SoundFiles, CancelDoesNothing) {
    e.bSavePatchClick();
    e.bLoadPatchClick();
    EXPECT_TRUE(f.prompts.shown.isEmpty());
    EXPECT_TRUE(f.toSynth().empty());
}

TEST_F(SoundFiles, MultiSaveAndLoad) {
    e.bSaveMultiClick(); // cancelled, but it shows what it offers first: never a hidden file
    EXPECT_EQ(f.files.requests.back().proposedName, QStringLiteral("Multi.SYX"));
    setEffectTime(42);
    const QString path = f.folderFile(QStringLiteral("Multi/Live1.SYX"));
    f.files.answers.push_back(path);
    e.bSaveMultiClick();
    const QByteArray file = readAll(path);
    ASSERT_EQ(file.size(), 139);
    EXPECT_EQ(file.left(6), QByteArray("\xF0\x43\x00\x7E\x00\x6E", 6));
    EXPECT_EQ(quint8(file[117]), 0xF7);
    EXPECT_EQ(file.mid(118, 6), QByteArray("\xF0\x43\x00\x7E\x00\x0D", 6));
    EXPECT_EQ(file[135], 42);
    EXPECT_EQ(
        quint8(file[137]),
        Sysex::SysexChecksum(reinterpret_cast<const std::uint8_t*>(file.constData()) + 124, 13));
    EXPECT_EQ(quint8(file[138]), 0xF7);
    EXPECT_EQ(f.caption("lCurrentMulti"), QStringLiteral("Current: Live1"));
    e.bSaveMultiClick(); // a save leaves the proposed name alone
    EXPECT_EQ(f.files.requests.back().proposedName, QStringLiteral("Multi.SYX"));

    setEffectTime(0);
    f.clearSent();
    f.files.answers.push_back(path);
    e.bLoadMultiClick();
    f.settle();
    EXPECT_EQ(f.val(e.Map().Multi().Field(MultiField::FxTime)), 42);
    e.bSaveMultiClick(); // a load makes its name the next save's proposal
    EXPECT_EQ(f.files.requests.back().proposedName, QStringLiteral("Live1.SYX"));
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].size(), 21u); // the effect goes first
    EXPECT_EQ(sent[1].size(), 118u);
    e.bSaveMultiClick();
    EXPECT_EQ(f.files.requests.back().proposedName, QStringLiteral("Live1.SYX"));
}

} // namespace
