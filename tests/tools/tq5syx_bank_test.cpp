#include "files/patch_bytes.h"
#include "library/bank_bytes.h"
#include "tq5syx_run.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// tq5syx bank, bank --pick and build bank on banks written from the published layout.

namespace {

struct Tq5syxBank : Tq5syxFolder {
    QString tx81zBank() {
        return write("TX.SYX", BankBytes::ToQt(BankBytes::BankMessage(BankBytes::BankData(true))));
    }
};

TEST_F(Tq5syxBank, EveryVoiceOfABankWithItsPositionAndFormat) {
    const ProgramRun run = RunTq5syx({QStringLiteral("bank"), tx81zBank()});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.startsWith("[\n  {\n    \"kind\": \"voice\",\n    \"position\": 1,\n"
                                   "    \"format\": \"TX81Z/DX11 bank\",\n"
                                   "    \"name\": \"VOICE 01  \",\n    \"params\": {\n"
                                   "      \"12/0\": 1,\n"))
        << run.out.left(300).constData();
    EXPECT_TRUE(run.out.endsWith("    \"warnings\": []\n  }\n]\n"));
    const QJsonArray voices = QJsonDocument::fromJson(run.out).array();
    ASSERT_EQ(voices.size(), 32);
    const QJsonObject last = voices[31].toObject();
    EXPECT_EQ(last.value(QStringLiteral("position")).toInt(), 32);
    EXPECT_EQ(last.value(QStringLiteral("name")).toString(), QStringLiteral("VOICE 32  "));
    // Operator 1's attack (12/39) and fixed range (13/16), block 4 of each voice.
    const QJsonObject params = last.value(QStringLiteral("params")).toObject();
    EXPECT_EQ(params.value(QStringLiteral("12/39")).toInt(), (31 + 7 * 3 + 1) % 32);
    EXPECT_EQ(params.value(QStringLiteral("13/16")).toInt(), (31 + 3 + 2) % 8);
}

TEST_F(Tq5syxBank, APickedVoiceBecomesAPatchFile) {
    const QString out = path("Picked.SYX");
    const ProgramRun run = RunTq5syx({QStringLiteral("bank"), tx81zBank(), QStringLiteral("--pick"),
                                      QStringLiteral("2"), QStringLiteral("-o"), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(readAll(out), SyxFiles::PatchFileBytes(BankBytes::Expected(1, true)));

    // A single voice's messages are a list of one.
    const ProgramRun single = RunTq5syx({QStringLiteral("bank"), out});
    const QJsonArray voices = QJsonDocument::fromJson(single.out).array();
    ASSERT_EQ(voices.size(), 1);
    EXPECT_EQ(voices[0].toObject().value(QStringLiteral("format")).toString(),
              QStringLiteral("patch file"));
}

TEST_F(Tq5syxBank, WhatBankPrintsBuildsTheSameBankAgain) {
    const QString bank = tx81zBank();
    const QString out = path("Again.SYX");
    const ProgramRun read = RunTq5syx({QStringLiteral("bank"), bank});
    const ProgramRun build = RunTq5syx(
        {QStringLiteral("build"), QStringLiteral("bank"), QStringLiteral("-o"), out}, read.out);
    ASSERT_EQ(build.exitCode, 0) << build.err.constData();
    EXPECT_TRUE(build.err.isEmpty());
    EXPECT_EQ(readAll(out), readAll(bank));
}

TEST_F(Tq5syxBank, AShortListIsFilledAndWhatTheBankCannotHoldIsSaid) {
    const QString out = path("Two.SYX");
    const ProgramRun run =
        RunTq5syx({QStringLiteral("build"), QStringLiteral("bank"), QStringLiteral("-o"), out},
                  "[{\"name\": \"Hall Bass\", \"params\": {\"24/4\": 1, \"12/39\": 31}}, {}]");
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.ErrLines(), QStringList({QStringLiteral("Voice 1, \"Hall Bass\": the bank "
                                                          "cannot hold its effect.")}));
    const QByteArray bank = readAll(out);
    ASSERT_EQ(bank.size(), 4104);
    EXPECT_EQ(bank.mid(6 + 57, 10), "Hall Bass ");
    EXPECT_EQ(bank.mid(6 + 128 + 57, 10), "Patch Name");
    EXPECT_EQ(bank.mid(6 + 31 * 128 + 57, 10), "INIT VOICE");
    EXPECT_EQ(quint8(bank[6 + 30]), 31); // operator 1's attack
}

TEST_F(Tq5syxBank, BadInputIsRefusedWithOneLine) {
    const QString bank = tx81zBank();
    const QString out = path("out.SYX");
    const QStringList build{QStringLiteral("build"), QStringLiteral("bank"), QStringLiteral("-o"),
                            out};
    QByteArray tooMany = "[";
    for (int i = 0; i < 33; ++i)
        tooMany += i ? ",{}" : "{}";
    tooMany += "]";
    struct Case {
        QStringList arguments;
        QByteArray input;
        QString says;
    };
    const Case cases[] = {
        {build, tooMany, QStringLiteral("a bank holds 32 voices; the list has 33")},
        {build, "{}", QStringLiteral("must hold a JSON list of voices")},
        {build, "[{}, 5]", QStringLiteral("voice 2 of the list is not a JSON object")},
        {build, "[{}, {\"colour\": 1}]", QStringLiteral("voice 2: unknown key \"colour\"")},
        {build, "[{\"name\": \"A\", \"name\": \"B\"}]",
         QStringLiteral("key \"name\" is given twice")},
        {{QStringLiteral("bank"), bank, QStringLiteral("-o"), out},
         {},
         QStringLiteral("-o goes with --pick")},
        {{QStringLiteral("bank"), bank, QStringLiteral("--pick"), QStringLiteral("3")},
         {},
         QStringLiteral("--pick needs an output file")},
        {{QStringLiteral("bank"), bank, QStringLiteral("--pick"), QStringLiteral("x"),
          QStringLiteral("-o"), out},
         {},
         QStringLiteral("--pick takes a voice's position")},
        {{QStringLiteral("bank"), bank, QStringLiteral("--pick"), QStringLiteral("33"),
          QStringLiteral("-o"), out},
         {},
         QStringLiteral("holds 32 voices: there is no voice 33")},
        {{QStringLiteral("voice"), bank, QStringLiteral("--pick"), QStringLiteral("1")},
         {},
         QStringLiteral("--pick is for bank only")},
        {{QStringLiteral("bank"), write("text.SYX", "hello")},
         {},
         QStringLiteral("This file holds no TQ5 voice: it is not a SysEx file.")},
        {{QStringLiteral("voice"), bank},
         {},
         QStringLiteral("This file holds no TQ5 voice: it is a bank of 32 voices, which the "
                        "Library imports.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says.toStdString());
        const ProgramRun run = RunTq5syx(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(run.ErrLines().size(), 1) << run.err.constData();
        EXPECT_TRUE(run.ErrLines()[0].contains(c.says)) << run.err.constData();
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
