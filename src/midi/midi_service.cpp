#include "midi/midi_service.h"

QString MidiService::ResultText(std::uint16_t code) {
    switch (code) {
    case MidiFailed:
        return QStringLiteral("Unspecified error.");
    case MidiBadDeviceId:
        return QStringLiteral("The specified device identifier is out of range.");
    case MidiNoDriver:
        return QStringLiteral("The MIDI system is not available.");
    case MidiNoMemory:
        return QStringLiteral("The system is unable to allocate or lock memory.");
    case MidiNoDevice:
        return QStringLiteral("The MIDI device is no longer present.");
    case MidiTooLong:
        return QStringLiteral("The message is longer than the MIDI system can send at once.");
    default:
        return {};
    }
}

int ShortMessageLength(std::uint8_t status) {
    if (status >= 0xF8 || status == 0xF6)
        return 1;
    if ((status >= 0xC0 && status <= 0xDF) || status == 0xF1 || status == 0xF3)
        return 2;
    return 3;
}
