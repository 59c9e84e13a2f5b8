#include "midi/midi_errors.h"
#include "midi/midi_ports.h"
#include "model/domain.h"

#include <cstring>
#include <new>

TMidiOutput::TMidiOutput(MidiService& service) : TMidiIO(service, Direction::Output) {}

TMidiOutput::~TMidiOutput() {
    TMidiOutput::Close();
}

std::uint32_t TMidiOutput::DeviceCount() const {
    return std::uint32_t(service_.OutputDevices().size());
}

bool TMidiOutput::Open() {
    if (state_ == mosOpen)
        return true;
    error_ = service_.OpenOutput(productName_, record_, device_);
    if (error_ != MidiOk) {
        device_.reset();
        return false;
    }
    followDevice();
    state_ = mosOpen;
    return true;
}

bool TMidiOutput::Close() {
    if (state_ != mosOpen)
        return false;
    device_.reset();
    inFlight_.clear();
    state_ = mosClosed;
    return true;
}

bool TMidiOutput::ChangeDevice(std::uint32_t index, bool open) {
    Close();
    SetDeviceID(index);
    return open && Open();
}

void TMidiOutput::PutMidiEvent(const TMyMidiEvent& event) {
    if (state_ != mosOpen)
        raise(QStringLiteral("MIDI Output device not open"));
    if (event.SysexBytes)
        PutLong(event.SysexBytes.get(), event.SysexSize);
    else
        PutShort(event.StatusByte, event.DataByte1, event.DataByte2);
}

void TMidiOutput::PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (state_ != mosOpen)
        raise(QStringLiteral("(Short Msg) Device not opened."));
    // A data byte first would be read as running status, and a lone SysEx byte opens or ends a
    // SysEx that swallows the messages after it.
    if (status < 0x80 || status == MidiStatus::SysexStart || status == MidiStatus::SysexEnd) {
        error_ = MidiNoStatusByte;
        raise(MidiOutErrorString(error_, TMIDIErrorContext::ecPutShort));
    }
    error_ = device_->SendShort(PackShort(status, data1, data2));
    if (error_ != MidiOk)
        raise(MidiOutErrorString(error_, TMIDIErrorContext::ecPutShort));
}

void TMidiOutput::PutLong(const std::uint8_t* bytes, std::uint16_t length) {
    if (state_ != mosOpen)
        raise(QStringLiteral("(Long Msg) Device not opened."));
    if (length == 0 || !bytes)
        return;
    try {
        inFlight_.push_back(std::make_unique<TMyMidiHdr>(length));
    } catch (const std::bad_alloc&) {
        error_ = MidiNoMemory;
        raise(MidiOutErrorString(error_, TMIDIErrorContext::ecOutPrepareHeader));
    }
    TMyMidiHdr& header = *inFlight_.back();
    std::memcpy(header.Data.get(), bytes, length);
    error_ = device_->SendLong(header);
    if (error_ != MidiOk) {
        inFlight_.pop_back();
        raise(MidiOutErrorString(error_, TMIDIErrorContext::ecPutLong));
    }
}

void TMidiOutput::notified(PortNotifier::Kind kind) {
    if (kind != PortNotifier::OutputDone)
        return;
    while (!inFlight_.empty() && inFlight_.front()->Done.load(std::memory_order_acquire)) {
        inFlight_.pop_front();
        if (OnMidiOutput)
            OnMidiOutput();
    }
}
