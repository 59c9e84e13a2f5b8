#pragma once

#include "model/voice_params.h"

#include <QString>
#include <array>
#include <cstdint>

// A voice as a plain value: every parameter (each operator's records, each modulation group's,
// the single records and the operator switches), within its range, and the name. Copies are cheap
// and independent; two voices compare equal when every value and the name agree.
class Voice {
public:
    static constexpr int NameLength = 10;

    // The records' start values and the name edit's start text.
    Voice();

    int Value(VoiceParam param) const { return values_[std::size_t(param.Index())]; }
    // Kept within 0..the parameter's maximum.
    void Set(VoiceParam param, int value);
    int Op(int op, OpField field) const { return Value(VoiceParam::Op(op, field)); }

    // At most ten characters: a longer name is cut.
    const QString& Name() const { return name_; }
    void SetName(const QString& name);

    // 8 x op1 + 4 x op2 + 2 x op3 + op4, from the operator switches.
    int OperatorMask() const;

    // A hash of the sound: every value but the name, so that copies of one sound under other
    // names have the same fingerprint.
    std::uint64_t Fingerprint() const;
    bool SameSound(const Voice& other) const { return values_ == other.values_; }

    bool operator==(const Voice& other) const = default;

private:
    std::array<std::uint8_t, VoiceParamCount> values_{};
    QString name_;
};

inline const QString StartVoiceName = QStringLiteral("Patch Name");
