#include "midi/midi_service.h"

#include <QObject>
#include <algorithm>

MidiService::MidiService() : changes_(std::make_unique<QObject>()) {}

MidiService::~MidiService() = default;

int MidiService::AddChangeHandler(ChangeHandler handler) {
    handlers_.emplace_back(++lastHandler_, std::move(handler));
    return lastHandler_;
}

void MidiService::RemoveChangeHandler(int id) {
    std::erase_if(handlers_, [id](const auto& handler) { return handler.first == id; });
}

void MidiService::PostChange() {
    if (changePosted_.exchange(true))
        return;
    // Dropped with the object, should the service go before the Qt thread gets to it.
    QMetaObject::invokeMethod(
        changes_.get(), [this] { runHandlers(); }, Qt::QueuedConnection);
}

void MidiService::runHandlers() {
    changePosted_.store(false);
    // A handler may remove another while it runs a nested event loop.
    const auto handlers = handlers_;
    for (const auto& [id, handler] : handlers)
        if (std::any_of(handlers_.begin(), handlers_.end(),
                        [id = id](const auto& h) { return h.first == id; }))
            handler();
}

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
