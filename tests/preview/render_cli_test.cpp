#include "files/file_io.h"
#include "sound_measures.h"
#include "support/program_run.h"
#include "synth/bulk_layout.h"
#include "test_voices.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {

ProgramRun render(const QStringList& arguments) {
    return RunProgram(QStringLiteral(TQ5SYX_PROGRAM),
                      QStringList{QStringLiteral("render")} + arguments);
}

struct Wav {
    int rate = 0;
    int channels = 0;
    std::vector<float> left, right;
};

Wav readWav(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toUtf8().constData(), SFM_READ, &info);
    Wav wav;
    if (!file)
        return wav;
    wav.rate = info.samplerate;
    wav.channels = info.channels;
    std::vector<float> frames(std::size_t(info.frames * info.channels));
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    for (std::size_t i = 0; i + 1 < frames.size(); i += std::size_t(info.channels)) {
        wav.left.push_back(frames[i]);
        wav.right.push_back(frames[i + 1]);
    }
    return wav;
}

// The four messages of the voice, in file order, as the editor saves them.
QByteArray patchFile(const Voice& voice) {
    SynthData data;
    QByteArray bytes;
    for (const SyxFiles::FileMessage& m : SyxFiles::PatchFile.messages) {
        DataBuffer& buffer = data.*m.buffer;
        Layouts::WriteMessage(*m.layout, voice, buffer);
        bytes.append(reinterpret_cast<const char*>(buffer.Data()), buffer.Length);
    }
    return bytes;
}

class RenderCommand : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.wav"));
};

TEST_F(RenderCommand, RendersTheNoteAtTheRateAsked) {
    const QString syx = write(QStringLiteral("carrier.syx"), patchFile(LoneCarrier()));
    const ProgramRun run =
        render({syx, QStringLiteral("-o"), out, QStringLiteral("--note"), QStringLiteral("69"),
                QStringLiteral("--rate"), QStringLiteral("44100"), QStringLiteral("--seconds"),
                QStringLiteral("1")});
    ASSERT_EQ(run.exitCode, 0) << run.Err().toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.Err().toStdString();
    const Wav wav = readWav(out);
    EXPECT_EQ(wav.rate, 44100);
    EXPECT_EQ(wav.channels, 2);
    // Held for a second, then release 15 (about 7 ms) rounded up to the renderer's period.
    EXPECT_GE(wav.left.size(), 44100u);
    EXPECT_LT(wav.left.size(), 44100u + 2048u);
    EXPECT_EQ(wav.left, wav.right);
    const auto held = std::span(wav.left).subspan(4410, 35000);
    EXPECT_NEAR(ToneHz(held, 44100), 440, 440 * 0.001);
    // 0.25 at full level, 24-bit.
    EXPECT_NEAR(AmplitudeAt(held, 440, 44100), 0.25, 0.001);
}

TEST_F(RenderCommand, AVoiceFileSoundsWithItsReleaseAndStaysWithinFullScale) {
    const ProgramRun run =
        render({QStringLiteral(MARROWLINK_EXAMPLES "/BrightEP.SYX"), QStringLiteral("-o"), out});
    ASSERT_EQ(run.exitCode, 0) << run.Err().toStdString();
    const Wav wav = readWav(out);
    EXPECT_EQ(wav.rate, 48000);
    ASSERT_GT(wav.left.size(), 96000u); // two seconds held, then the release
    EXPECT_LE(wav.left.size(), 96000u + 480000u);
    double peak = 0;
    for (float s : wav.left)
        peak = std::max(peak, double(std::abs(s)));
    EXPECT_GT(peak, 0.01);
    EXPECT_LE(peak, 1.0);
}

TEST_F(RenderCommand, WarnsOfBytesOutOfRangeAndOfAShortFile) {
    QByteArray bytes = patchFile(LoneCarrier());
    // The voice block is last in the file; its data byte 0 is operator 4's attack rate (max 31).
    const int voiceBlock = int(bytes.size()) - 101;
    bytes[voiceBlock + 6] = 40;
    ProgramRun run = render({write(QStringLiteral("high.syx"), bytes), QStringLiteral("-o"), out});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.Err().contains(QStringLiteral("Value too big CC:40; Val:40: Max:31")))
        << run.Err().toStdString();

    run = render({write(QStringLiteral("short.syx"), bytes.left(100)), QStringLiteral("-o"), out});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.Err().contains(QStringLiteral("ends after 100 of a patch file's 191 bytes")))
        << run.Err().toStdString();
}

TEST_F(RenderCommand, RefusesWhatItCannotRender) {
    const QString syx = write(QStringLiteral("carrier.syx"), patchFile(LoneCarrier()));
    struct Case {
        QStringList arguments;
        QString says;
    };
    const QString o = QStringLiteral("-o");
    for (const Case& c : {
             Case{{write(QStringLiteral("empty.syx"), {}), o, out}, QStringLiteral("empty")},
             Case{{write(QStringLiteral("text.syx"), QByteArray(191, 'x')), o, out},
                  QStringLiteral("not a patch file")},
             Case{{syx}, QStringLiteral("render needs a patch file and an output file")},
             Case{{syx, o, out, QStringLiteral("--note"), QStringLiteral("128")},
                  QStringLiteral("--note must be a number from 0 to 127")},
             Case{{syx, o, out, QStringLiteral("--velocity"), QStringLiteral("0")},
                  QStringLiteral("--velocity")},
             Case{{syx, o, out, QStringLiteral("--rate"), QStringLiteral("44100.5")},
                  QStringLiteral("--rate must be a whole number")},
             Case{{syx, o, out, QStringLiteral("--seconds"), QStringLiteral("nan")},
                  QStringLiteral("--seconds")},
         }) {
        const ProgramRun run = render(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.Err().contains(c.says)) << run.Err().toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));

    const ProgramRun voice =
        RunProgram(QStringLiteral(TQ5SYX_PROGRAM),
                   {QStringLiteral("voice"), syx, QStringLiteral("--note"), QStringLiteral("60")});
    EXPECT_EQ(voice.exitCode, 2);
    EXPECT_TRUE(voice.Err().contains(QStringLiteral("for render only")));
}

} // namespace
