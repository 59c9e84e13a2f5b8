#include "model/bcl_sysex.h"
#include "reference_files.h"
#include "tq5syx_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

// tq5syx as a user meets it: exact output, problem lines, warnings and refusals.

namespace {

struct Tq5syx : Tq5syxFolder {
    static QByteArray startPatch() { return Reference::Save(Reference::Patch(), {}); }
};

TEST_F(Tq5syx, StartFilesGiveTheStartValuesInKeyOrder) {
    const ProgramRun voice = RunTq5syx({QStringLiteral("voice"), write("start.SYX", startPatch())});
    ASSERT_EQ(voice.exitCode, 0);
    EXPECT_TRUE(voice.out.startsWith("{\n  \"kind\": \"voice\",\n  \"name\": \"Patch Name\",\n"
                                     "  \"params\": {\n    \"12/0\": 5,\n    \"12/1\": 5,\n"));
    EXPECT_TRUE(voice.out.contains("    \"12/76\": 0,\n    \"13/0\": 0,\n"));
    EXPECT_TRUE(voice.out.endsWith("    \"24/6\": 0\n  },\n  \"warnings\": []\n}\n"));

    const ProgramRun multi = RunTq5syx(
        {QStringLiteral("multi"), write("m.SYX", Reference::Save(Reference::Multi(), {}))});
    ASSERT_EQ(multi.exitCode, 0);
    EXPECT_TRUE(multi.out.contains("    \"10/94\": 0,\n    \"10/123\": 0,\n    \"24/1\": 0,\n"));
    EXPECT_FALSE(multi.out.contains("\"name\""));
}

TEST_F(Tq5syx, AFileWithNothingToLoadIsRefusedSayingWhatItIs) {
    const QString preset = write("preset.SYX", Bcl::LineMessages({QStringLiteral("$rev R1")}));
    const ProgramRun voice = RunTq5syx({QStringLiteral("voice"), preset});
    EXPECT_EQ(voice.exitCode, 2);
    EXPECT_TRUE(voice.out.isEmpty());
    EXPECT_EQ(voice.Err(), QStringLiteral("tq5syx: %1: This file holds no TQ5 voice: it looks like "
                                          "a BCR2000 preset.\n")
                               .arg(preset));

    const QString patch = write("p.SYX", startPatch());
    EXPECT_EQ(RunTq5syx({QStringLiteral("multi"), patch}).Err(),
              QStringLiteral("tq5syx: %1: This file holds no TQ5 multi: it is a voice file, which "
                             "the Patch page loads.\n")
                  .arg(patch));
}

TEST_F(Tq5syx, AVoiceFromAnotherSynthIsReadByItsMessagesWithItsNotes) {
    // The voice block alone, from device 3, its checksum one off: the rest keeps start values.
    QByteArray block = startPatch().mid(90);
    block[2] = 0x03;
    block[6 + 39] = 20;
    block.replace(6 + 77, 10, "DX Voice  ");
    block[99] = char((block[99] + 1) & 0x7F);
    const QString path = write("dx.SYX", QByteArray("\xC0\x01", 2) + block);
    const ProgramRun run = RunTq5syx({QStringLiteral("voice"), path});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject json = run.Json();
    EXPECT_EQ(json.value(QStringLiteral("name")).toString(), QStringLiteral("DX Voice  "));
    EXPECT_EQ(json.value(QStringLiteral("params")).toObject().value(QStringLiteral("12/39")), 20);
    EXPECT_EQ(json.value(QStringLiteral("warnings")).toArray(),
              QJsonArray({QStringLiteral("%1: the checksum of the voice block message (byte 2) is "
                                         "wrong; it was loaded as it is.")
                              .arg(path)}));
}

TEST_F(Tq5syx, NamesAreLatin1AndEndAtAZeroByte) {
    QByteArray patch = startPatch();
    patch.replace(173, 10, QByteArray("Caf\xE9\0xyz\"\\", 10));
    const ProgramRun cafe = RunTq5syx({QStringLiteral("voice"), write("cafe.SYX", patch)});
    EXPECT_TRUE(cafe.out.contains("\"name\": \"Caf\\u00e9\","));
    EXPECT_EQ(cafe.Json().value(QStringLiteral("name")).toString(), QStringLiteral("Caf\u00e9"));

    patch.replace(173, 10, QByteArray("a\"b\\c\x01    ", 10));
    const ProgramRun escaped = RunTq5syx({QStringLiteral("voice"), write("escaped.SYX", patch)});
    EXPECT_TRUE(escaped.out.contains("\"name\": \"a\\\"b\\\\c\\u0001    \","));
}

TEST_F(Tq5syx, CheckNamesEachProblemByOffset) {
    QByteArray patch = startPatch();
    patch[0] = 0x00;         // start of the additional voice message
    patch[19] = char(0x80);  // a data byte that would end the message (its checksum stays right)
    patch[47] = 'X';         // the aftertouch text, which its checksum covers
    patch[48] = 'Y';         // more of the same text: still one line
    patch[69 + 16] = 11;     // effect type above 10
    patch[89] = 0x00;        // the effect message's end
    patch[90 + 6 + 39] = 40; // operator 1 attack rate above 31
    patch = patch.left(150);
    const ProgramRun run = RunTq5syx({QStringLiteral("check"), write("bad.SYX", patch)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.out.toStdString(),
        std::string("offset 0: start byte of the additional voice message is 00, expected F0\n"
                    "offset 19: data byte 3 of the additional voice message is 80, above 7F\n"
                    "offset 47: the text of the aftertouch message is not \"LM  8023AE\"\n"
                    "offset 67: checksum of the aftertouch message is 54, expected 3C\n"
                    "offset 85: 24/4 is 11, above its maximum 10\n"
                    "offset 88: checksum of the effect message is 4B, expected 40\n"
                    "offset 89: end byte of the effect message is 00, expected F7\n"
                    "offset 135: 12/39 is 40, above its maximum 31\n"
                    "offset 150: the file ends inside the voice block message, after 60 of its 101 "
                    "bytes\n"));
}

TEST_F(Tq5syx, CheckTellsTheKindByTheFirstMessageOrTheSize) {
    const QByteArray multi = Reference::Save(Reference::Multi(), {});
    const ProgramRun ok = RunTq5syx({QStringLiteral("check"), write("m.SYX", multi)});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.out, "ok\n");

    const ProgramRun longer =
        RunTq5syx({QStringLiteral("check"), write("m2.SYX", multi + QByteArray(52, '\0'))});
    EXPECT_EQ(longer.out, "offset 139: the file goes on past the last message (52 bytes more)\n");

    const ProgramRun empty = RunTq5syx({QStringLiteral("check"), write("e.SYX", {})});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.out, "offset 0: the file is empty\n");

    const ProgramRun foreign = RunTq5syx({QStringLiteral("check"), write("f.SYX", "\x90\x40\x7F")});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_TRUE(foreign.out.startsWith("offset 0: neither a patch file (191 bytes) nor a multi"));

    // A patch file's size, but a foreign first message: checked as a patch file.
    QByteArray garbled = startPatch();
    garbled[3] = 0x11;
    const ProgramRun patch = RunTq5syx({QStringLiteral("check"), write("g.SYX", garbled)});
    EXPECT_TRUE(patch.out.startsWith(
        "offset 3: format byte of the additional voice message is 11, expected 7E\n"));
}

TEST_F(Tq5syx, APipeIsCheckedToItsEnd) {
    const QString stdinPath = QStringLiteral("/dev/stdin");
    EXPECT_EQ(RunTq5syx({QStringLiteral("check"), stdinPath}, startPatch()).out, "ok\n");
    EXPECT_EQ(
        RunTq5syx({QStringLiteral("check"), stdinPath}, startPatch() + QByteArray(70000, 'x')).out,
        "offset 191: the file goes on past the last message (70000 bytes more)\n");
    const ProgramRun voice = RunTq5syx({QStringLiteral("voice"), stdinPath}, startPatch());
    EXPECT_EQ(voice.Json().value(QStringLiteral("name")).toString(), QStringLiteral("Patch Name"));
}

// A FIFO would hold the tool in open() until a writer comes, and a device may never end: a file
// is read only when it is a regular one, or the tool's own standard input (above).
TEST_F(Tq5syx, AFifoOrADeviceIsRefusedWithoutWaiting) {
    const QString fifo = path("pipe.SYX");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& input : {fifo, QStringLiteral("/dev/zero")}) {
        for (const char* command : {"voice", "multi", "check"}) {
            SCOPED_TRACE(command);
            const ProgramRun run = RunProgram(QStringLiteral(TQ5SYX_PROGRAM),
                                              {QLatin1String(command), input}, {}, 5000);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.Err(),
                      QStringLiteral("tq5syx: %1: it is not a regular file\n").arg(input));
            EXPECT_TRUE(run.out.isEmpty());
        }
    }
}

TEST_F(Tq5syx, AResultThatCannotBeWrittenEndsWithCode2) {
    const QString patch = write("p.SYX", startPatch());
    const QString multi = write("m.SYX", Reference::Save(Reference::Multi(), {}));
    for (const char* command : {"voice", "multi", "check"}) {
        const QString file = QLatin1String(command) == QLatin1String("multi") ? multi : patch;
        const ProgramRun run =
            RunShell(QStringLiteral(TQ5SYX_PROGRAM),
                     QStringLiteral("\"$0\" %1 '%2' >/dev/full").arg(QLatin1String(command), file));
        EXPECT_EQ(run.exitCode, 2) << command;
        EXPECT_EQ(run.Err(), QStringLiteral("tq5syx: cannot write to standard output: No space "
                                            "left on device\n"))
            << command;
    }
}

TEST_F(Tq5syx, BadInputIsRefusedWithOneLineAndCode2) {
    const QString patch = write("p.SYX", startPatch());
    const QString out = path("out.SYX");
    const QStringList build = {QStringLiteral("build"), QStringLiteral("voice"),
                               QStringLiteral("-o"), out};
    const QStringList buildMulti = {QStringLiteral("build"), QStringLiteral("multi"),
                                    QStringLiteral("-o"), out};
    struct Case {
        QStringList arguments;
        QByteArray input;
        const char* says;
    };
    const Case cases[] = {
        {{}, {}, "no command given"},
        {{QStringLiteral("play"), patch}, {}, "unknown command \"play\""},
        {{QStringLiteral("voice")}, {}, "voice needs exactly one file"},
        {{QStringLiteral("voice"), path("missing.SYX")}, {}, "missing.SYX: no such file"},
        {{QStringLiteral("multi"), dir.path()}, {}, "is a directory"},
        {{QStringLiteral("check"), dir.path()}, {}, "is a directory"},
        {{QStringLiteral("build"), QStringLiteral("voice")},
         {},
         "build needs a kind and an output"},
        {{QStringLiteral("build"), QStringLiteral("drum"), QStringLiteral("-o"), out},
         "{}",
         "unknown kind \"drum\""},
        {build, "{\"params\": {", "not valid JSON"},
        {build, "", "not valid JSON"},
        {build, "[1, 2]", "must hold one JSON object"},
        {build, "{\"colour\": 1}", "unknown key \"colour\""},
        {build, "{\"params\": {\"12/93\": 1}}", "unknown parameter key \"12/93\""},
        {build, "{\"params\": {\"12/00\": 1}}", "unknown parameter key \"12/00\""},
        {build, "{\"params\": {\"10/0\": 1}}", "unknown parameter key \"10/0\""},
        {build, "{\"params\": {\"12/0\": 128}}", "\"12/0\": the value must be a whole number"},
        {build, "{\"params\": {\"12/1\": 99}}",
         "parameter \"12/1\": the value must be a whole number in 0..31"},
        {buildMulti, "{\"params\": {\"24/1\": 18}}",
         "parameter \"24/1\": the value must be a whole number in 0..17"},
        {build, "{\"params\": {\"12/0\": -1}}", "\"12/0\": the value must be a whole number"},
        {build, "{\"params\": {\"12/0\": 1.5}}", "\"12/0\": the value must be a whole number"},
        {build, "{\"params\": {\"12/0\": \"5\"}}", "\"12/0\": the value must be a whole number"},
        {build, "{\"params\": [5]}", "\"params\" must be a JSON object"},
        {build, "{\"name\": 5}", "\"name\" must be a string"},
        {build, "{\"kind\": \"multi\"}", "\"kind\" must be \"voice\""},
        {buildMulti, "{\"name\": \"Live\"}", "unknown key \"name\""},
        {{QStringLiteral("build"), QStringLiteral("voice"), QStringLiteral("-o"), dir.path()},
         "{}",
         "cannot be written"},
        {{QStringLiteral("build"), QStringLiteral("voice"), QStringLiteral("-o"),
          path("no/such/folder/x.SYX")},
         "{}",
         "cannot be written"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        const ProgramRun run = RunTq5syx(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(run.ErrLines().size(), 1) << run.err.constData();
        EXPECT_TRUE(run.ErrLines()[0].startsWith(QStringLiteral("tq5syx: ")));
        EXPECT_TRUE(run.ErrLines()[0].contains(QString::fromLatin1(c.says))) << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(Tq5syx, AFailedBuildLeavesTheOldFileAlone) {
    const QString out = write("keep.SYX", "old contents");
    const ProgramRun run = RunTq5syx(
        {QStringLiteral("build"), QStringLiteral("voice"), QStringLiteral("-o"), out}, "{oops");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(readAll(out), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.SYX")});
}

// A value above its parameter's maximum is refused (above); the name is shortened or changed as
// the voice block needs, with a warning.
TEST_F(Tq5syx, BuildWarnsWhenTheNameIsChanged) {
    const QString out = path("warn.SYX");
    const ProgramRun run = RunTq5syx(
        {QStringLiteral("build"), QStringLiteral("voice"), QStringLiteral("-o"), out},
        QStringLiteral("{\"name\": \"Ondes Martenot\u00e9\", \"params\": {\"12/39\": 31}}")
            .toUtf8());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.ErrLines(),
              QStringList(QStringLiteral("name \"Ondes Martenot\u00e9\" is longer than 10 "
                                         "characters; written as \"Ondes Mart\"")));
    const QByteArray file = readAll(out);
    EXPECT_EQ(std::uint8_t(file[90 + 6 + 39]), 31);
    EXPECT_EQ(file.mid(173, 10), "Ondes Mart");

    const ProgramRun accented =
        RunTq5syx({QStringLiteral("build"), QStringLiteral("voice"), QStringLiteral("-o"), out},
                  QStringLiteral("{\"name\": \"Caf\u00e9\"}").toUtf8());
    EXPECT_EQ(accented.exitCode, 0);
    EXPECT_EQ(accented.ErrLines(),
              QStringList(QStringLiteral("name \"Caf\u00e9\" has characters above 0x7F; written "
                                         "as \"Caf?      \"")));
    EXPECT_EQ(readAll(out).mid(173, 10), "Caf?      ");
}

TEST_F(Tq5syx, TheExampleIsBuiltFromItsJson) {
    const QDir examples(QStringLiteral(MARROWLINK_EXAMPLES));
    const QString out = path("BrightEP.SYX");
    const ProgramRun build =
        RunTq5syx({QStringLiteral("build"), QStringLiteral("voice"), QStringLiteral("-o"), out},
                  readAll(examples.filePath(QStringLiteral("BrightEP.json"))));
    ASSERT_EQ(build.exitCode, 0) << build.err.constData();
    EXPECT_EQ(readAll(out), readAll(examples.filePath(QStringLiteral("BrightEP.SYX"))));
    EXPECT_EQ(RunTq5syx({QStringLiteral("check"), out}).out, "ok\n");
}

const QStringList BuildVoice{QStringLiteral("build"), QStringLiteral("voice"),
                             QStringLiteral("-o")};

TEST_F(Tq5syx, ATargetThatIsNotARegularFileIsWrittenIntoNotReplaced) {
    const QString fifo = path("p");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opened before the build, without waiting for a writer: the build's bytes wait in the pipe.
    QFile reader;
    const int readEnd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_TRUE(reader.open(readEnd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    const ProgramRun toFifo = RunTq5syx(BuildVoice + QStringList{fifo}, "{}");
    EXPECT_EQ(toFifo.exitCode, 0) << toFifo.err.constData();
    EXPECT_EQ(reader.readAll(), startPatch());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
              QStringList{QStringLiteral("p")});

    for (const char* out : {"-", "/dev/stdout"}) {
        const ProgramRun toStdout = RunTq5syx(BuildVoice + QStringList{QLatin1String(out)}, "{}");
        EXPECT_EQ(toStdout.exitCode, 0) << out;
        EXPECT_EQ(toStdout.out, startPatch()) << out;
    }
}

TEST_F(Tq5syx, EndlessOrOversizedInputIsTooLarge) {
    const ProgramRun big = RunTq5syx(BuildVoice + QStringList{path("x.SYX")},
                                     "{\"name\": \"" + QByteArray(1 << 20, 'a') + "\"}");
    EXPECT_EQ(big.exitCode, 2);
    EXPECT_TRUE(big.Err().contains(QStringLiteral("too large"))) << big.err.constData();
    const ProgramRun zero =
        RunProgramBounded(QStringLiteral(TQ5SYX_PROGRAM), BuildVoice + QStringList{path("x.SYX")},
                          QStringLiteral("/dev/zero"));
    EXPECT_EQ(zero.exitCode, 2);
    EXPECT_TRUE(zero.Err().contains(QStringLiteral("too large"))) << zero.err.constData();
    EXPECT_FALSE(QFile::exists(path("x.SYX")));
}

// A file name that is not UTF-8 (the Latin-1 e acute, octal 351) reaches the file system as it is.
TEST_F(Tq5syx, FileNamesThatAreNotUtf8AreKept) {
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray name = folder + "/out\xE9.SYX";
    const QString script = QStringLiteral("cd '%1' && echo '{}' | \"$0\" build voice -o "
                                          "\"$(printf 'out\\351.SYX')\"")
                               .arg(dir.path());
    const ProgramRun build = RunShell(QStringLiteral(TQ5SYX_PROGRAM), script);
    EXPECT_EQ(build.exitCode, 0) << build.err.constData();
    struct stat status {};
    ASSERT_EQ(::stat(name.constData(), &status), 0);
    EXPECT_EQ(status.st_size, 191);

    for (const char* command : {"check", "voice"}) {
        const ProgramRun read =
            RunShell(QStringLiteral(TQ5SYX_PROGRAM),
                     QStringLiteral("cd '%1' && \"$0\" %2 \"$(printf 'out\\351.SYX')\"")
                         .arg(dir.path(), QLatin1String(command)));
        EXPECT_EQ(read.exitCode, 0) << command << read.err.constData();
    }
    std::remove(name.constData()); // Qt could not name it to remove the folder
}

TEST_F(Tq5syx, KeysInErrorsAreEscapedAndRepeatedKeysOrANulAreRefused) {
    const QString out = path("out.SYX");
    struct Case {
        QByteArray input;
        const char* says;
    };
    const Case cases[] = {
        {"{\"col\\nour\\u001b[31m\": 1}", "unknown key \"col\\u000aour\\u001b[31m\""},
        {"{\"params\": {\"12/\\u0000\": 1}}", "unknown parameter key \"12/\\u0000\""},
        {"{\"params\": {\"12/0\": 1, \"12/0\": 2}}", "key \"12/0\" is given twice"},
        {"{\"params\": {\"12/0\": 1, \"12\\/0\": 2}}", "key \"12/0\" is given twice"},
        {"{\"name\": \"A\", \"params\": {}, \"name\": \"B\"}", "key \"name\" is given twice"},
        {QByteArray("{}\0{\"name\": 5}", 14), "NUL byte at offset 2"},
        {QByteArray("{\"name\": \"A\0B\"}", 15), "NUL byte at offset 11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        const ProgramRun run = RunTq5syx(BuildVoice + QStringList{out}, c.input);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(run.ErrLines().size(), 1) << run.err.constData();
        EXPECT_TRUE(run.ErrLines()[0].contains(QString::fromLatin1(c.says))) << run.err.constData();
        EXPECT_FALSE(run.err.contains('\x1b'));
        EXPECT_FALSE(QFile::exists(out));
    }
    // The same key in different objects is no repetition.
    const ProgramRun nested =
        RunTq5syx(BuildVoice + QStringList{out}, "{\"warnings\": [{\"a\": 1}, {\"a\": 2}]}");
    EXPECT_EQ(nested.exitCode, 0) << nested.err.constData();
}

TEST_F(Tq5syx, ControlCharactersInANameAreWrittenAsQuestionMarks) {
    const QString out = path("ctl.SYX");
    const ProgramRun run =
        RunTq5syx(BuildVoice + QStringList{out}, "{\"name\": \"Bell\\u0000\\u001b[2J\"}");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.Err().toStdString(), "name \"Bell\\u0000\\u001b[2J\" has control characters; "
                                       "written as \"Bell??[2J \"\n");
    EXPECT_EQ(readAll(out).mid(173, 10), "Bell??[2J ");
    EXPECT_EQ(RunTq5syx({QStringLiteral("voice"), out}).Json().value(QStringLiteral("name")),
              QStringLiteral("Bell??[2J "));
}

} // namespace
