#include "audio_peer.h"
#include "preview/jack_preview.h"
#include "support/private_jack_test.h"
#include "test_voices.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace {

class JackPreviewTest : public PrivateJackTest {
protected:
    void SetUp() override {
        PrivateJackTest::SetUp();
        if (HasFatalFailure())
            return;
        peer = std::make_unique<AudioPeer>(QStringLiteral("listener-%1").arg(getpid()));
        ASSERT_TRUE(peer->Running());
        preview.SetVoice(LoneCarrier());
        const std::optional<QString> problem = preview.Start();
        ASSERT_FALSE(problem) << problem->toStdString();
    }

    QStringList connectionsOf(const QString& port) const {
        QStringList names;
        jack_port_t* handle = jack_port_by_name(peer->Client(), port.toUtf8().constData());
        if (const char** list = jack_port_get_all_connections(peer->Client(), handle)) {
            for (const char** name = list; *name; ++name)
                names << QString::fromUtf8(*name);
            jack_free(list);
        }
        return names;
    }
    void connectToPeer() {
        const QStringList ours = preview.OutputPorts();
        for (int i = 0; i < 2; ++i)
            ASSERT_EQ(jack_connect(peer->Client(), ours[i].toUtf8().constData(),
                                   peer->Input(i).toUtf8().constData()),
                      0);
        QThread::msleep(300); // a new connection needs a moment
    }
    // The first cycle from `from` on whose loudest sample passes the test; its frame time.
    template <class Test> std::optional<jack_nframes_t> firstCycle(jack_nframes_t from, Test test) {
        for (int wait = 0; wait < 100; ++wait) {
            for (const AudioPeer::Cycle& c : peer->Cycles())
                if (jack_nframes_t(c.frameTime - from) < (1u << 30) && test(c.peak))
                    return c.frameTime;
            QThread::msleep(10);
        }
        return std::nullopt;
    }

    std::unique_ptr<AudioPeer> peer;
    JackPreview preview;
};

TEST_F(JackPreviewTest, PlaysOnTwoPortsConnectedToTheSystemsPlayback) {
    EXPECT_TRUE(preview.Running());
    const QStringList ports = preview.OutputPorts();
    ASSERT_EQ(ports.size(), 2);
    EXPECT_EQ(ports[0], QStringLiteral("Marrowlink preview:left"));
    EXPECT_EQ(ports[1], QStringLiteral("Marrowlink preview:right"));
    EXPECT_EQ(connectionsOf(ports[0]), QStringList{QStringLiteral("system:playback_1")});
    EXPECT_EQ(connectionsOf(ports[1]), QStringList{QStringLiteral("system:playback_2")});
}

TEST_F(JackPreviewTest, ANoteSoundsWithinTwoPeriodsAndAnEditWithinOne) {
    connectToPeer();
    const jack_nframes_t period = peer->Period();
    peer->Clear();
    const jack_nframes_t noteAt = peer->Now();
    ASSERT_TRUE(preview.NoteOn(A4, 100));
    const auto sounding = firstCycle(noteAt, [](float peak) { return peak > 0.01f; });
    ASSERT_TRUE(sounding) << "no sound reached the listener";
    EXPECT_LE(*sounding - noteAt, 2 * period);

    QThread::msleep(100);
    Voice quieter = LoneCarrier();
    quieter.Set(VoiceParam::Op(0, OpField::Out), 79); // 15 dB down
    const jack_nframes_t editAt = peer->Now();
    preview.SetVoice(quieter);
    const auto edited = firstCycle(editAt, [](float peak) { return peak < 0.1f; });
    ASSERT_TRUE(edited) << "the edit was not heard";
    EXPECT_LE(*edited - editAt, period);
    preview.AllNotesOff();
}

TEST_F(JackPreviewTest, AStartAgainKeepsWhereTheUserConnectedThePorts) {
    connectToPeer();
    const QStringList ours = preview.OutputPorts();
    for (int i = 0; i < 2; ++i)
        jack_disconnect(peer->Client(), ours[i].toUtf8().constData(),
                        QStringLiteral("system:playback_%1").arg(i + 1).toUtf8().constData());
    preview.Stop();
    EXPECT_FALSE(preview.Running());
    EXPECT_FALSE(preview.NoteOn(A4, 100));
    ASSERT_FALSE(preview.Start());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(connectionsOf(ours[i]), QStringList{peer->Input(i)});
}

TEST(JackPreviewWithoutServer, IsOffAndSaysWhy) {
    const QByteArray saved = qgetenv("JACK_DEFAULT_SERVER");
    qputenv("JACK_DEFAULT_SERVER", "marrowlink-no-such-server");
    JackPreview preview;
    const std::optional<QString> problem = preview.Start();
    qputenv("JACK_DEFAULT_SERVER", saved);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->contains(QStringLiteral("no JACK server"))) << problem->toStdString();
    EXPECT_FALSE(preview.Running());
    EXPECT_FALSE(preview.PlayTestNote());
}

} // namespace
