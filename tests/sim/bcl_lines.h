#pragma once

#include "model/bcl_sysex.h"
#include "sim/simulated_controller.h"
#include "support/preset_files.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <vector>

// Preset lines and channel messages for the simulated controller's tests.

using Bytes = std::vector<std::uint8_t>;
using Sent = std::vector<Bytes>;

// A preset line with its index, to this device and model.
inline Bytes bclLine(int index, const QString& text, std::uint8_t device = Bcl::AnyDevice,
                     std::uint8_t model = Bcl::Bcr2000) {
    Bytes message{0xF0,
                  0x00,
                  0x20,
                  0x32,
                  device,
                  model,
                  0x20,
                  std::uint8_t(index >> 7),
                  std::uint8_t(index & 0x7F)};
    const QByteArray text8 = text.toLatin1();
    message.insert(message.end(), text8.begin(), text8.end());
    message.push_back(0xF7);
    return message;
}

// Sends the lines, numbered from 0, to any BCR2000; the error codes of the answers.
inline std::vector<int> sendLines(SimulatedController& controller, const QStringList& lines) {
    std::vector<int> errors;
    for (const Bytes& message : sysexMessages(Bcl::LineMessages(lines))) {
        controller.Receive(message);
        errors.push_back(controller.Answers().back().error);
    }
    return errors;
}

// "$rev R1", the lines, "$end": a block that must be accepted whole.
inline bool defineBlock(SimulatedController& controller, const QStringList& lines) {
    const std::vector<int> errors =
        sendLines(controller, QStringList{QStringLiteral("$rev R1")} + lines +
                                  QStringList{QStringLiteral("$end")});
    return std::all_of(errors.begin(), errors.end(), [](int error) { return error == 0; });
}

inline Bytes cc(int number, int value, int channel = 1) {
    return {std::uint8_t(0xB0 + channel - 1), std::uint8_t(number), std::uint8_t(value)};
}
