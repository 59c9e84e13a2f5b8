#include "midi/midi_errors.h"
#include "midi/midi_ports.h"

#include <cstring>
#include <new>

TMidiInput::TMidiInput(MidiService& service, TMidiInputSizes sizes)
    : TMidiIO(service, Direction::Input), sizes_(sizes) {
    if (DeviceCount() > 0)
        SetDeviceID(0);
}

TMidiInput::~TMidiInput() {
    Close();
}

std::uint32_t TMidiInput::DeviceCount() const {
    return std::uint32_t(service_.InputDevices().size());
}

void TMidiInput::Open() {
    if (state_ == misOpen)
        return;
    try {
        ring_ = std::make_unique<TCircularBuffer>(sizes_.Capacity);
        pool_.Allocate(sizes_.SysexBufferCount, SysexBufferSize);
    } catch (const std::bad_alloc&) {
        releaseBuffers();
        error_ = MidiNoMemory;
        raise(MidiInErrorString(error_));
    }
    record_.AttachInput(ring_.get(), &pool_);
    error_ = service_.OpenInput(productName_, record_, device_);
    if (error_ != MidiOk) {
        device_.reset();
        releaseBuffers();
        raise(MidiInErrorString(error_));
    }
    followDevice();
    state_ = misOpen;
}

void TMidiInput::Start() {
    step(&ServiceInput::Start);
}

void TMidiInput::OpenAndStart() {
    Open();
    Start();
}

void TMidiInput::Stop() {
    step(&ServiceInput::Stop);
}

void TMidiInput::step(MidiResult (ServiceInput::*call)()) {
    if (state_ != misOpen)
        return;
    error_ = (device_.get()->*call)();
    if (error_ != MidiOk)
        raise(MidiInErrorString(error_));
}

void TMidiInput::Close() {
    if (state_ != misOpen)
        return;
    // Closed first, so that notifications still on their way raise nothing.
    state_ = misClosed;
    device_.reset();
    releaseBuffers();
}

void TMidiInput::StopAndClose() {
    Stop();
    Close();
}

void TMidiInput::releaseBuffers() {
    record_.AttachInput(nullptr, nullptr);
    pool_.Release();
    ring_.reset();
}

std::uint16_t TMidiInput::GetEventCount() const {
    return state_ == misOpen ? ring_->Count() : 0;
}

std::unique_ptr<TMyMidiEvent> TMidiInput::GetMidiEvent() {
    TMidiBufferItem item;
    if (state_ != misOpen || !ring_->Read(item))
        return nullptr;
    auto event = std::make_unique<TMyMidiEvent>();
    event->TimeStamp = item.TimeStamp;
    if (TMyMidiHdr* buffer = item.SysexHeader) {
        event->StatusByte = 0xF0;
        event->SysexSize = buffer->BytesRecorded;
        if (buffer->BytesRecorded > 0) {
            event->SysexBytes = std::make_unique<std::uint8_t[]>(buffer->BytesRecorded);
            std::memcpy(event->SysexBytes.get(), buffer->Data.get(), buffer->BytesRecorded);
        }
        pool_.GiveBack(buffer);
    } else {
        event->StatusByte = std::uint8_t(item.ShortMessage);
        event->DataByte1 = std::uint8_t(item.ShortMessage >> 8);
        event->DataByte2 = std::uint8_t(item.ShortMessage >> 16);
    }
    ring_->Remove();
    return event;
}

void TMidiInput::FlushQueue() {
    while (GetMidiEvent())
        ;
}

void TMidiInput::ChangeDevice(std::uint32_t index, bool open) {
    if (index == deviceId_)
        return;
    Stop();
    Close();
    SetDeviceID(index);
    if (open)
        OpenAndStart();
}

void TMidiInput::notified(PortNotifier::Kind kind) {
    if (state_ != misOpen)
        return;
    if (kind == PortNotifier::DataQueued && OnMidiInput && GetEventCount() > 0)
        OnMidiInput();
    // Every kind looks: the queue-full notification of a drop may have been lost to a full pipe.
    if (state_ == misOpen)
        reportDrops();
}

void TMidiInput::reportDrops() {
    if (const std::uint32_t dropped = record_.TakeDropped(); dropped > 0 && OnEventsDropped)
        OnEventsDropped(dropped);
    if (const std::uint32_t missed = record_.TakeMissedCycles(); missed > 0 && OnCyclesMissed)
        OnCyclesMissed(missed);
}
