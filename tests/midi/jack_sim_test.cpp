#include "child_process.h"
#include "support/bulk_checks.h"
#include "support/jack_fixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

// tq5-sim as its own process on the private server, driven through our ports as the editor
// drives the instrument.
class JackSimulator : public JackTest {
protected:
    void SetUp() override {
        JackTest::SetUp();
        if (HasFatalFailure())
            return;
        name = uniqueName("TQ5 Sim");
        ASSERT_TRUE(
            sim.Start(QStringLiteral(TQ5_SIM),
                      {QStringLiteral("--api"), QStringLiteral("jack"), QStringLiteral("--name"),
                       name, QStringLiteral("--log"), logPath()}));
        const auto announced = sim.ReadLine(10000);
        ASSERT_TRUE(announced && announced->contains("sending on")) << sim.Errors().toStdString();

        service = MakeMidiService(MidiBackend::Jack);
        input = std::make_unique<TMidiInput>(*service);
        output = std::make_unique<TMidiOutput>(*service);
        input->SetProductName(name + QStringLiteral(":MIDI Out"));
        input->OpenAndStart();
        output->SetProductName(name + QStringLiteral(" In:MIDI In"));
        ASSERT_TRUE(output->Open());
        letConnectionsSettle();
    }

    void TearDown() override {
        sim.Terminate();
        // A sanitizer's findings end the simulator with an exit code of its own.
        EXPECT_EQ(sim.WaitForExit(5000), 0) << sim.Errors().toStdString();
    }

    QString logPath() const { return folder.filePath(QStringLiteral("sim.jsonl")); }

    void send(const Bytes& message) {
        output->PutLong(message.data(), std::uint16_t(message.size()));
    }

    std::vector<Bytes> receive(std::size_t count) {
        std::vector<Bytes> messages;
        EXPECT_TRUE(WaitUntil([&] {
            while (auto event = input->GetMidiEvent())
                messages.emplace_back(
                    event->SysexBytes
                        ? Bytes(event->SysexBytes.get(), event->SysexBytes.get() + event->SysexSize)
                        : Bytes{event->StatusByte, event->DataByte1});
            return messages.size() >= count;
        })) << "received "
            << messages.size() << " of " << count;
        return messages;
    }

    QTemporaryDir folder;
    QString name;
    ChildProcess sim;
    std::unique_ptr<MidiService> service;
    std::unique_ptr<TMidiInput> input;
    std::unique_ptr<TMidiOutput> output;
};

TEST_F(JackSimulator, AnswersAVoiceRequestWithTheChangesItWasSent) {
    send({0xF0, 0x43, 0x10, 0x12, 0x27, 0x14, 0xF7}); // operator 1's AR
    send({0xF0, 0x43, 0x10, 0x13, 0x05, 0x01, 0xF7}); // operator 2's Fix
    send(Bytes(Sysex::VoiceDumpRequest.begin(), Sysex::VoiceDumpRequest.end()));
    const std::vector<Bytes> voice = receive(4);
    ASSERT_EQ(voice.size(), 4u);
    EXPECT_EQ(validBulk(voice[0]), Sysex::Kind::VoiceBlock);
    EXPECT_EQ(validBulk(voice[1]), Sysex::Kind::AddVoice);
    EXPECT_EQ(validBulk(voice[2]), Sysex::Kind::Aftertouch);
    EXPECT_EQ(validBulk(voice[3]), Sysex::Kind::Effect);
    EXPECT_EQ(voice[0][45], 0x14);
    EXPECT_EQ(voice[1][21], 0x01);
}

TEST_F(JackSimulator, AnswersAMultiRequestWithTheChangesItWasSent) {
    send({0xF0, 0x43, 0x10, 0x10, 0x20, 0x63, 0xF7}); // part 3's Volume
    send({0xF0, 0x43, 0x10, 0x10, 0x7B, 0x00, 0x40, 0xF7});
    send(Bytes(Sysex::MultiDumpRequest.begin(), Sysex::MultiDumpRequest.end()));
    const std::vector<Bytes> multi = receive(2);
    ASSERT_EQ(multi.size(), 2u);
    EXPECT_EQ(validBulk(multi[0]), Sysex::Kind::MultiBlock);
    EXPECT_EQ(validBulk(multi[1]), Sysex::Kind::Effect);
    EXPECT_EQ(multi[0][52], 0x63);
    EXPECT_EQ(multi[0][16], 0x40);
}

TEST_F(JackSimulator, LogsWhatEachMessageChanged) {
    send({0xF0, 0x43, 0x10, 0x12, 0x27, 0x14, 0xF7});
    send(Bytes(Sysex::VoiceDumpRequest.begin(), Sysex::VoiceDumpRequest.end()));
    receive(4);
    sim.Write("quit\n");
    EXPECT_EQ(sim.WaitForExit(5000), 0) << sim.Errors().toStdString();
    QFile log(logPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(first[QStringLiteral("bytes")].toString(), QStringLiteral("F0 43 10 12 27 14 F7"));
    EXPECT_EQ(first[QStringLiteral("change")].toString(),
              QStringLiteral("voice block byte 39: 31 -> 20"));
    EXPECT_GE(first[QStringLiteral("time")].toDouble(), 0.0);
}

TEST_F(JackSimulator, AnnouncesAVoiceChosenOnItsConsoleAndEndsOnSigterm) {
    sim.Write("program 2\n");
    EXPECT_EQ(receive(1), std::vector<Bytes>({{0xC0, 0x02}}));
    sim.Terminate();
    EXPECT_EQ(sim.WaitForExit(5000), 0) << sim.Errors().toStdString();
}

} // namespace
