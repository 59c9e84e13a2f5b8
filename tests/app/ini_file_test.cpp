#include "app/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct SettingsFile : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("marrowlink.INI"));
    QStringList problems;

    void write(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read() {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    IniFile open() {
        return IniFile(path, [this](const QString& problem) { problems << problem; });
    }
};

TEST_F(SettingsFile, ReadsAHandWrittenFileAsOtherProgramsDo) {
    write("; written by hand\r\n"
          "[MidiDevices]\r\n"
          "Input = USB MIDI, Port 1\r\n"
          "output=\"Quoted\"\r\n"
          "[MouseWheel]\r\n"
          "Jump=abc\r\n"
          "[envelope]\r\n"
          "TimeReverse=00\r\n"
          "[Modulation]\r\n"
          "Start=3\r\n");
    IniFile settings = open();
    EXPECT_EQ(settings.Value("MidiDevices", "Input", "None"), QVariant("USB MIDI, Port 1"));
    EXPECT_EQ(settings.Value("MidiDevices", "Output", "None"), QVariant("\"Quoted\""));
    EXPECT_EQ(settings.Value("MidiDevices", "KbdInput", "None"), QVariant("None"));
    EXPECT_EQ(settings.Value("MouseWheel", "Jump", 3), QVariant(3)); // not a number: default
    EXPECT_EQ(settings.Value("Envelope", "TimeReverse", true), QVariant(false));
    EXPECT_EQ(settings.Value("Modulation", "Start", 1), QVariant(3));
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(SettingsFile, WritesInPlaceAndKeepsEverythingElse) {
    write("; keep me\r\n[MidiDevices]\r\nInput=Old\r\nOther=x\r\n[Extra]\r\nA=1\r\n");
    IniFile settings = open();
    settings.SetValue("MidiDevices", "input", "USB MIDI, Port 1");
    settings.SetValue("MidiDevices", "KbdInput", "None");
    settings.SetValue("Envelope", "TimeReverse", false);
    settings.SetValue("MouseWheel", "Jump", 5);
    EXPECT_EQ(read(),
              QByteArray("; keep me\r\n[MidiDevices]\r\nInput=USB MIDI, Port 1\r\nOther=x\r\n"
                         "KbdInput=None\r\n[Extra]\r\nA=1\r\n[Envelope]\r\nTimeReverse=0\r\n"
                         "[MouseWheel]\r\nJump=5\r\n"));
    // A new reader sees what was written.
    EXPECT_EQ(open().Value("MidiDevices", "Input", "None"), QVariant("USB MIDI, Port 1"));
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenIsReportedOnceAndTheValuesAreKept) {
    IniFile settings(dir.filePath(QStringLiteral("no/folder/marrowlink.INI")),
                     [this](const QString& problem) { problems << problem; });
    settings.SetValue("Modulation", "Start", 2);
    settings.SetValue("MouseWheel", "Jump", 4);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(QStringLiteral("cannot be written")));
    EXPECT_EQ(settings.Value("Modulation", "Start", 1), QVariant(2));
}

TEST_F(SettingsFile, WhatIsNotAFileIsNeverWrittenOver) {
    IniFile settings(dir.path(), [this](const QString& problem) { problems << problem; });
    settings.SetValue("Modulation", "Start", 2);
    EXPECT_EQ(problems.size(), 1);
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST_F(SettingsFile, TwoProgramsOnOneFileKeepEachOthersChoices) {
    write("[MidiDevices]\nInput=Synth\n");
    IniFile first = open();
    IniFile second = open();
    first.SetValue("MidiDevices", "KbdInput", "Keys");
    second.SetValue("Envelope", "TimeReverse", false);
    // A value the second program already has is no change of its own: the first one's stays.
    first.SetValue("MidiDevices", "Input", "BCR");
    second.SetValue("MidiDevices", "Input", "Synth");
    EXPECT_EQ(read(), QByteArray("[MidiDevices]\nInput=BCR\nKbdInput=Keys\n"
                                 "[Envelope]\nTimeReverse=0\n"));
    // Each answers from what it read and what it changed itself.
    EXPECT_EQ(second.Value("MidiDevices", "KbdInput", "None"), QVariant("None"));
    EXPECT_EQ(first.Value("MidiDevices", "Input", "None"), QVariant("BCR"));
}

TEST_F(SettingsFile, AFileThatHasGoneIsWrittenAgainWithEverythingKnown) {
    write("[MidiDevices]\nInput=Synth\n");
    IniFile settings = open();
    ASSERT_TRUE(QFile::remove(path));
    settings.SetValue("Modulation", "Start", 2);
    EXPECT_EQ(read(), QByteArray("[MidiDevices]\nInput=Synth\n[Modulation]\nStart=2\n"));
}

// Device names as JACK and ALSA may report them: every character comes back as it was, and none
// adds a line, a key or a section.
TEST_F(SettingsFile, NamesKeepTheirExactCharacters) {
    const QString names[] = {
        QStringLiteral("Evil\n[MidiDevices]\nOutput=pwn"),
        QStringLiteral("Синт:выход"),
        QStringLiteral(" Synth "),
        QStringLiteral("Tab\tCR\rBell\aDel\x7F"),
        QStringLiteral("Back\\slash\\n"),
        QStringLiteral("USB MIDI, Port 1 \"quoted\" ; not a comment"),
    };
    for (const QString& name : names) {
        {
            IniFile settings = open();
            settings.SetValue("MidiDevices", "Input", name);
        }
        const QByteArray bytes = read();
        EXPECT_EQ(bytes.count('\n'), 2) << bytes.constData();
        EXPECT_FALSE(bytes.contains('\r')) << bytes.constData();
        EXPECT_EQ(open().Value("MidiDevices", "Input", "None"), QVariant(name))
            << bytes.constData();
        EXPECT_EQ(open().Value("MidiDevices", "Output", "None"), QVariant("None"));
    }
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(SettingsFile, EscapesAreWrittenAsTheReadmeSays) {
    IniFile settings = open();
    settings.SetValue("MidiDevices", "Input", QStringLiteral("Evil\n[MidiDevices]\nOutput=pwn"));
    settings.SetValue("MidiDevices", "Output", QStringLiteral(" Синт:выход\t"));
    settings.SetValue("MidiDevices", "CtrlInput", QStringLiteral("a\\b\x01"));
    EXPECT_EQ(read(), QStringLiteral("[MidiDevices]\nInput=Evil\\n[MidiDevices]\\nOutput=pwn\n"
                                     "Output=\\x20Синт:выход\\t\nCtrlInput=a\\\\b\\x01\n")
                          .toUtf8());
}

TEST_F(SettingsFile, ReadsUtf8AndTheLatin1AndBackslashesOfOlderFiles) {
    write("[MidiDevices]\nInput=Caf\xC3\xA9\nOutput=USB\\MIDI\\x\nKbdInput=Keys\\\n");
    IniFile settings = open();
    EXPECT_EQ(settings.Value("MidiDevices", "Input", "None"), QVariant(QStringLiteral("Café")));
    EXPECT_EQ(settings.Value("MidiDevices", "Output", "None"), QVariant("USB\\MIDI\\x"));
    EXPECT_EQ(settings.Value("MidiDevices", "KbdInput", "None"), QVariant("Keys\\"));
    // Bytes that are not UTF-8: a file written as Latin-1 before.
    write("[MidiDevices]\r\nInput=Caf\xE9\r\n");
    IniFile older = open();
    EXPECT_EQ(older.Value("MidiDevices", "Input", "None"), QVariant(QStringLiteral("Café")));
    older.SetValue("MidiDevices", "Output", QStringLiteral("Synth"));
    EXPECT_EQ(read(), QByteArray("[MidiDevices]\r\nInput=Caf\xC3\xA9\r\nOutput=Synth\r\n"));
}

TEST_F(SettingsFile, AFifoInItsPlaceIsNeitherWaitedForNorWrittenOver) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    IniFile settings = open();
    EXPECT_EQ(problems.size(), 1);
    EXPECT_EQ(settings.Value("Modulation", "Start", 1), QVariant(1));

    // Put there after the start: the next change sees it.
    ASSERT_TRUE(QFile::remove(path));
    write("[Modulation]\nStart=1\n");
    problems.clear();
    IniFile later = open();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    later.SetValue("Modulation", "Start", 2);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(QStringLiteral("cannot be written")))
        << problems[0].toStdString();
    EXPECT_FALSE(QFileInfo(path).isFile());
}

} // namespace
