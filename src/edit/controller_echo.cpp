#include "edit/editor.h"
#include "edit/scope_exit.h"
#include "views/knob_value.h"
#include "views/prompts.h"
#include "views/services.h"
#include "views/views.h"

#include <QFile>

namespace {
constexpr qsizetype MaxMessageLength = 0xFFFF; // the ports take 16-bit lengths
constexpr int PresetPauseMs = 10;
const char* const PresetMissingText = "Can't Find BCR sysex file (Marrowlink.SYX) ";
constexpr std::array<int, 4> RateRows{40, 41, 43, 44};
} // namespace

void Editor::EchoCc(int cc, int value) {
    if (ControllerOutputChosen())
        MidiPCtoBC.PutShort(std::uint8_t(0xB0 | ControllerChannel), std::uint8_t(cc),
                            std::uint8_t(value));
}

void Editor::setRowLastVal(int row, int value) {
    // The row remembers what the controller was last told, so that the controller can always
    // change it back (a value button set by a dump could otherwise never be clicked back).
    if (TCC_Param* r = Map.Row(row))
        r->LastVal = value;
}

void Editor::EchoRow(int row) {
    const TSyx_Param* record = currentVariant(row);
    if (!record)
        return;
    setRowLastVal(row, record->Val);
    EchoCc(row, record->Val & 0xFF);
}

void Editor::EchoRecord(const TSyx_Param& record, int cc) {
    setRowLastVal(cc, record.Val);
    EchoCc(cc, record.Val & 0xFF);
}

void Editor::SendControllerPreset(const QString& fileName) {
    const QString path = services_.startFolder.filePath(fileName);
    if (!QFile::exists(path)) {
        services_.prompts.Message(QString::fromLatin1(PresetMissingText));
        return;
    }
    if (Controls.bLoadBCR)
        Controls.bLoadBCR->SetEnabled(false);
    ScopeExit done([this] {
        if (Controls.bLoadBCR)
            Controls.bLoadBCR->SetEnabled(true);
        SplashFade = false;
    });
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        services_.prompts.Error(
            QStringLiteral("Can't read BCR sysex file (%1): %2").arg(fileName, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (!ControllerOutputChosen()) {
        services_.prompts.Warning(QStringLiteral("No Midi output device selected for the BCR"));
        return;
    }
    sendControllerPresetBytes(bytes);
}

void Editor::sendControllerPresetBytes(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    // -1 until the first F0: an F7 before any F0 ends no message.
    qsizetype start = -1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (data[i] == 0xF0) {
            start = i;
        } else if (data[i] == 0xF7 && start >= 0) {
            // Every message goes out whole, however long; one the port cannot carry is reported
            // rather than cut.
            const qsizetype length = i - start + 1;
            if (length > MaxMessageLength) {
                services_.prompts.Error(
                    QStringLiteral(
                        "A message of %1 bytes in the BCR sysex file is too long to send")
                        .arg(length));
                continue;
            }
            MidiPCtoBC.PutLong(data + start, std::uint16_t(length));
            if (SplashFade && Splash)
                Splash->SetOpacity(int((255 - i / 32) & 0xFF));
            services_.sleeper.SleepMs(PresetPauseMs);
        }
    }
}

void Editor::bLoadBCRClick() {
    SendControllerPreset(QStringLiteral("Marrowlink.SYX"));
    cbEnvRevClick();
    ApplyControllerMessage(0xB0, Rows::FirstOpSelectCC, 1);
}

void Editor::cbEnvRevClick() {
    if (!EnvRevStartup) {
        TimeReverse = Controls.cbEnvRev ? Controls.cbEnvRev->IsChecked() : TimeReverse;
        services_.settings.SetValue(QStringLiteral("Envelope"), QStringLiteral("TimeReverse"),
                                    TimeReverse);
        SendControllerPreset(TimeReverse ? QStringLiteral("Marrowlink_Rev.SYX")
                                         : QStringLiteral("Marrowlink_Norm.SYX"));
    }
    EnvRevStartup = false;
    std::array<int, 4> remembered{};
    for (std::size_t i = 0; i < RateRows.size(); ++i)
        if (KnobValue* knob = Controls.Knob[RateRows[i]])
            remembered[i] = knob->Position();
    for (int row : RateRows) {
        KnobValue* knob = Controls.Knob[row];
        if (!knob)
            continue;
        const int top = std::max(knob->Min(), knob->Max());
        knob->SetMin(TimeReverse ? top : 0);
        knob->SetMax(TimeReverse ? 0 : top);
    }
    for (std::size_t i = 0; i < RateRows.size(); ++i) {
        KnobValue* knob = Controls.Knob[RateRows[i]];
        if (!knob)
            continue;
        ScreenEditArmed = true;
        knob->SetPosition(remembered[i]);
    }
}
