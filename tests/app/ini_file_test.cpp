#include "app/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
