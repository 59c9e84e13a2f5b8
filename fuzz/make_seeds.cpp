// fuzz-seeds CORPUSDIR: writes the generated seeds of each target into CORPUSDIR/<target>/, from
// the example files and from bulk messages and files that the engine's own writers build. The
// copies kept in the repository are rewritten with `cmake --build --preset fuzz --target
// fuzz-corpus`.
#include "build_command.h"
#include "files/file_io.h"
#include "library/vmem_bank.h"
#include "model/control_names.h"
#include "model/parameter_map.h"
#include "read_command.h"
#include "support/recording_prompter.h"
#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"
#include "views/headless_controls.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

using Bytes = QByteArray;

QDir corpus;

void write(const char* target, const char* name, const Bytes& bytes) {
    const QString folder = QString::fromLatin1(target);
    corpus.mkpath(folder);
    QFile file(corpus.filePath(folder + QLatin1Char('/') + QLatin1String(name)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz-seeds: cannot write %s\n", qUtf8Printable(file.fileName()));
        std::exit(1);
    }
}

Bytes readExample(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fuzz-seeds: cannot read %s\n", qUtf8Printable(path));
        std::exit(1);
    }
    return file.readAll();
}

Bytes bytes(std::initializer_list<int> list) {
    Bytes out;
    for (int b : list)
        out.append(char(b));
    return out;
}

// The chunked input of the port targets: a first byte, then each chunk as its count (with the
// top bit when it comes early) and its bytes; a longer message is split into chunks of 127.
class Chunked {
public:
    explicit Chunked(int first) { bytes_.append(char(first)); }
    Chunked& add(const Bytes& message, bool early = false) {
        qsizetype at = 0;
        do {
            const qsizetype count = std::min<qsizetype>(127, message.size() - at);
            bytes_.append(char(count | (early ? 0x80 : 0)));
            bytes_.append(message.mid(at, count));
            at += count;
        } while (at < message.size());
        return *this;
    }
    Bytes bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

// The messages of a file, in file order.
std::vector<Bytes> split(const Bytes& file, std::span<const SyxFiles::FileMessage> messages) {
    std::vector<Bytes> out;
    qsizetype at = 0;
    for (const SyxFiles::FileMessage& m : messages) {
        out.push_back(file.mid(at, m.layout->format.length));
        at += m.layout->format.length;
    }
    return out;
}

// A multi with parts in each bank and settings away from their start values.
Bytes multiFile() {
    Multi multi;
    multi.Set(MultiParam::Global(MultiField::FxType), 3);
    multi.Set(MultiParam::Global(MultiField::FxTime), 40);
    for (int part = 1; part <= PartCount; ++part) {
        multi.Set(MultiParam::Part(part, PartField::Bank), part % 3);
        multi.Set(MultiParam::Part(part, PartField::Patch), part * 11);
        multi.Set(MultiParam::Part(part, PartField::MaxNotes), 1);
        multi.Set(MultiParam::Part(part, PartField::LowNote), 24 + part);
        multi.Set(MultiParam::Part(part, PartField::TopNote), 100 + part);
        multi.Set(MultiParam::Part(part, PartField::Volume), 90);
    }
    SynthData data;
    for (const SyxFiles::FileMessage& m : SyxFiles::MultiFile.messages)
        Layouts::WriteMessage(*m.layout, multi, data.*m.buffer);
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    SyxFiles::WriteMessages(file, SyxFiles::MultiFile, data);
    return file.data();
}

// A bank of voices that differ in their name and in a few bit fields.
Bytes bankFile() {
    std::array<Vmem::VoiceBytes, SyxScan::BankVoiceCount> voices;
    for (std::size_t i = 0; i < voices.size(); ++i) {
        Voice voice;
        voice.SetName(QStringLiteral("Seed %1").arg(i));
        voice.Set(*VoiceParam::Single(24), int(i % 8));
        voice.Set(VoiceParam::Op(0, OpField::Wave), int(i % 8));
        voice.Set(VoiceParam::Op(1, OpField::Detune), int(i % 7));
        voices[i] = Vmem::PackVoice(voice);
    }
    return Vmem::BankMessage(voices);
}

enum class Jpeg { Baseline, Progressive, Grey };

Bytes jpeg(Jpeg kind, int width, int height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    const bool grey = kind == Jpeg::Grey;
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 50, TRUE);
    if (kind == Jpeg::Progressive) {
        jpeg_simple_progression(&info);
        info.restart_interval = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(width * info.input_components));
    while (info.next_scanline < info.image_height) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<unsigned char>((i * 37 + info.next_scanline * 11) & 0xFF);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    const Bytes bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz-seeds CORPUSDIR EXAMPLESDIR\n");
        return 2;
    }
    corpus = QDir(QString::fromLocal8Bit(argv[1]));
    const QDir examples(QString::fromLocal8Bit(argv[2]));
    const Bytes patch = readExample(examples.filePath(QStringLiteral("BrightEP.SYX")));
    const Bytes patchJson = readExample(examples.filePath(QStringLiteral("BrightEP.json")));
    const std::vector<Bytes> voice = split(patch, SyxFiles::PatchMessages);
    const Bytes multi = multiFile();
    const std::vector<Bytes> multiMessages = split(multi, SyxFiles::MultiMessages);
    const Bytes& multiBlock = multiMessages[0];
    const Bytes& multiEffect = multiMessages[1];

    // The synth's answers on either page, a dump in pieces as a driver may hand it over (a
    // real-time byte inside, the next piece early), program changes and broken messages.
    Chunked voiceAnswer(0);
    for (const Bytes& message : voice)
        voiceAnswer.add(message);
    write("synth_input", "voice-on-patch-page", voiceAnswer.bytes());
    write("synth_input", "multi-on-multipart-page",
          Chunked(1).add(multiBlock).add(multiEffect).bytes());
    const Bytes& block = voice[3];
    write("synth_input", "voice-block-in-pieces",
          Chunked(0)
              .add(block.left(40) + bytes({0xF8}))
              .add(block.mid(40, 40), true)
              .add(block.mid(80))
              .bytes());
    write("synth_input", "program-change-and-noise",
          Chunked(0)
              .add(bytes({0xC0, 0x05}))
              .add(bytes({0x90, 0x40, 0x7F, 0x41, 0x7F, 0xFE}))
              .add({})
              .add(bytes({0xF0, 0x43, 0x00, 0x7E, 0x00, 0x21, 0xB0, 0x01}))
              .bytes());

    // The controller's rows and special controls, on either page, and the keyboard.
    Chunked rows(0);
    for (int cc = 0; cc < 56; ++cc)
        rows.add(bytes({0xB0, cc, (cc * 5) & 0x7F}));
    write("controller_input", "every-row", rows.bytes());
    Chunked specials(0);
    for (const Bytes& m : {bytes({0xB0, 48, 1}), bytes({0xB0, 97, 0}), bytes({0xB0, 101, 1}),
                           bytes({0xB0, 40, 9}), bytes({0xB0, 21, 1}), bytes({0xB0, 96, 0}),
                           bytes({0xB0, 98, 0}), bytes({0xB0, 99, 0}), bytes({0xB0, 20, 3})})
        specials.add(m);
    write("controller_input", "key-controls", specials.bytes());
    write("controller_input", "unused-and-running-status",
          Chunked(1)
              .add(bytes({0xB0, 60, 1, 5, 9}))
              .add(bytes({0xB0, 20, 1, 0xB0, 6, 70}), true)
              .add(bytes({0xF0, 0x00, 0x20, 0x32, 0x7F, 0x15, 0x21, 0x00, 0x00, 0x00, 0xF7}))
              .bytes());
    write("controller_input", "keyboard",
          Chunked(2)
              .add(bytes({0x93, 60, 100, 0x83, 60, 0}))
              .add(bytes({0xF0, 0x7E, 0x01}))
              .add(bytes({0x02, 0xF7, 0xC2, 5}))
              .add({})
              .bytes());

    // Each bulk message after the byte that picks its layout.
    const char selectors[] = {0, 1, 2, 3, 4, 5};
    const Bytes decoderMessages[] = {voice[3], voice[0],    voice[1],
                                     voice[2], multiEffect, multiBlock};
    const char* const decoderNames[] = {"voice-block",  "additional-voice", "aftertouch",
                                        "voice-effect", "multi-effect",     "multi-block"};
    for (int i = 0; i < 6; ++i)
        write("dump_decoders", decoderNames[i], Bytes(1, selectors[i]) + decoderMessages[i]);

    for (const char* target : {"sound_file", "tq5syx_file"}) {
        write(target, "BrightEP.SYX", patch);
        write(target, "multi.SYX", multi);
    }
    write("sound_file", "patch-cut-short.SYX", patch.left(120));

    // Other synths' files: a TX81Z voice from device 2 (its additional voice, then its voice
    // block), a capture with noise and a cut message, a bank and its data without the frame.
    Bytes tx81z = voice[0] + voice[3];
    tx81z[2] = 0x02;
    tx81z[41 + 2] = 0x02;
    write("voice_file", "tx81z-voice.SYX", tx81z);
    write("voice_file", "capture.SYX",
          bytes({0xC0, 0x03}) + voice[3] + bytes({0x90, 0x40, 0x7F}) + voice[2] +
              voice[0].left(30) + multiBlock + multiEffect);
    const Bytes bank = bankFile();
    write("voice_file", "bank.SYX", bank);
    write("voice_file", "bank-data.bin", bank.mid(6, 4096));
    write("voice_file", "BrightEP.SYX", patch);

    write("tq5syx_json", "BrightEP.json", patchJson);
    write("tq5syx_json", "multi.json",
          FormatReadout(LoadSoundFile(SoundKind::Multi, multi, QStringLiteral("multi.SYX"))));
    write("tq5syx_json", "some-params.json",
          "{\"kind\": \"voice\", \"name\": \"Fuzz\\u0007\\u00e9 Name\", \"warnings\": [],\n"
          " \"params\": {\"12/0\": 31, \"12/39\": 127, \"13/4\": 0.0}}\n");

    write("voice_names", "crlf.txt", "Grand Piano\r\nBright EP\r\n\r\nStrings   \r\nBrass\r\n");
    const char withNul[] = "Bass 1\nBass 2\nPad\n\0ignored\n";
    write("voice_names", "lf-then-nul.txt", Bytes(withNul, sizeof withNul - 1));
    write("voice_names", "cr-latin1.txt", "Cor Anglais\rCh\xe2teau\r\rEnd");

    write("settings_file", "as-written.INI",
          "[MidiDevices]\nInput=Synth\nOutput=Synth\nCtrlInput=BCR\nCtrlOutput=BCR\nKbdInput=None\n"
          "[MouseWheel]\nJump=3\n[Envelope]\nTimeReverse=1\n[Modulation]\nStart=1\n");
    write("settings_file", "hand-edited.INI",
          "; edited by hand\r\n[Other]\r\nInput=elsewhere\r\n\r\n[ mididevices ]\r\n"
          "  input = Synth In, 1  \r\n#Output=old\r\noutput\r\n[MouseWheel]\r\nJump=x\r\n");
    write("settings_file", "repeated-and-unfinished.INI",
          "[Modulation]\rStart=2\rStart=3\r[Modulation]\rStart=0\r[MidiDevices\rInput=");

    write("jpeg", "baseline.jpg", jpeg(Jpeg::Baseline, 16, 8));
    write("jpeg", "progressive.jpg", jpeg(Jpeg::Progressive, 8, 16));
    write("jpeg", "grey.jpg", jpeg(Jpeg::Grey, 8, 8));
    return 0;
}
