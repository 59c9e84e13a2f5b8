#pragma once

// MIDI input and output ports on a MidiService.
//
// Threads and delivery routes:
// - Every operation below, and every notification (OnMidiInput, OnEventsDropped, OnCyclesMissed,
//   OnMidiOutput, OnDeviceChanged), runs on the Qt thread, the one that created the port.
// - The service calls the port's TMidiCallbackRecord on a thread of its own (JACK: the process
//   callback; RtMidi: the backend's thread; the virtual service: its delivery thread). That
//   callback writes one entry into the port's ring and posts one notification per event; it takes
//   no lock and allocates nothing.
// - Notifications travel through a PortNotifier and are handled in the order posted, also when a
//   handler runs a nested event loop. OnMidiInput is raised for a data notification only while the
//   port is open and holds events, so most notifications after a full drain raise nothing. Drops
//   are counted on the service's thread and reported with the next notification handled.
// - A long message sent on an output is reported done on the service's thread; its buffer is
//   released, and OnMidiOutput raised, on the Qt thread.
// - The device watch (device_watch.h) looks at the devices on a thread of its own; the service's
//   change handlers run on the Qt thread, from its event loop.
// Errors are raised as EMidiInputError / EMidiOutputError (midi_errors.h).

#include "midi/circular_buffer.h"
#include "midi/midi_callback.h"
#include "midi/midi_event.h"
#include "midi/midi_service.h"
#include "midi/port_notifier.h"
#include "midi/sysex_pool.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

enum MidiInputState { misOpen, misClosed };
enum MidiOutputState { mosOpen, mosClosed };

// What an input can hold between two drains, allocated at Open. The editor's inputs keep these;
// a SysEx buffer holds TMidiInput::SysexBufferSize bytes.
struct TMidiInputSizes {
    std::uint16_t Capacity = 1024; // queued events
    std::uint16_t SysexBufferCount = 16;
};

class TMidiIO {
public:
    virtual ~TMidiIO() = default;
    TMidiIO(const TMidiIO&) = delete;
    TMidiIO& operator=(const TMidiIO&) = delete;

    virtual std::uint32_t DeviceCount() const = 0;

    std::uint32_t DeviceID() const { return deviceId_; }
    // Selects a device by its index in the service's current list.
    void SetDeviceID(std::uint32_t id);
    QString ProductName() const { return productName_; }
    // Selects the first device of exactly this name.
    void SetProductName(const QString& name);
    // Result code of the last service call.
    std::uint16_t Error() const { return error_; }

    std::function<void()> OnDeviceChanged;

protected:
    enum class Direction { Input, Output };

    TMidiIO(MidiService& service, Direction direction);

    virtual bool isOpen() const = 0;
    virtual void notified(PortNotifier::Kind kind) = 0;

    QStringList deviceNames() const;
    [[noreturn]] void raise(const QString& text) const;
    // After an open by name: the device may have moved in the list since it was selected.
    void followDevice();

    MidiService& service_;
    const Direction direction_;
    std::uint32_t deviceId_ = 0;
    QString productName_;
    std::uint16_t error_ = 0;
    PortNotifier notifier_;
    TMidiCallbackRecord record_;
};

class TMidiInput final : public TMidiIO {
public:
    static constexpr std::uint16_t SysexBufferSize = 4096;

    explicit TMidiInput(MidiService& service, TMidiInputSizes sizes = {});
    ~TMidiInput() override;

    std::uint32_t DeviceCount() const override;
    MidiInputState PortState() const { return state_; }

    void Open();
    void Start();
    void OpenAndStart();
    void Stop();
    // Queued events are discarded.
    void Close();
    void StopAndClose();

    // 0 when the port is not open.
    std::uint16_t GetEventCount() const;
    // The oldest queued event, or null when the port is not open or nothing is queued.
    std::unique_ptr<TMyMidiEvent> GetMidiEvent();
    void FlushQueue();
    // Nothing for the selected index; otherwise closes, selects and, with open set, reopens.
    void ChangeDevice(std::uint32_t index, bool open);

    // Takes effect at once, also on an open port.
    bool SysexOnly() const { return record_.SysexOnly.load(); }
    void SetSysexOnly(bool sysexOnly) { record_.SysexOnly.store(sysexOnly); }

    std::function<void()> OnMidiInput;
    // Events were dropped: the queue was full or no SysEx buffer was free. Raised on the Qt thread
    // once for each run of drops that the handler has not seen yet, with how many the run held.
    std::function<void(std::uint32_t dropped)> OnEventsDropped;
    // The MIDI system ran cycles without the port while the device was sending (JACK, when the
    // program was late): what the device sent in them is lost. Raised on the Qt thread.
    std::function<void(std::uint32_t cycles)> OnCyclesMissed;

private:
    bool isOpen() const override { return state_ == misOpen; }
    void notified(PortNotifier::Kind kind) override;
    void reportDrops();
    // Start or Stop on an open port.
    void step(MidiResult (ServiceInput::*call)());
    void releaseBuffers();

    MidiInputState state_ = misClosed;
    const TMidiInputSizes sizes_;
    std::unique_ptr<TCircularBuffer> ring_;
    SysexPool pool_;
    std::unique_ptr<ServiceInput> device_;
};

class TMidiOutput : public TMidiIO {
public:
    explicit TMidiOutput(MidiService& service);
    ~TMidiOutput() override;

    std::uint32_t DeviceCount() const override;
    MidiOutputState PortState() const { return state_; }

    // False when the device cannot be opened; never raises.
    virtual bool Open();
    // True when the port was open.
    virtual bool Close();
    virtual bool ChangeDevice(std::uint32_t index, bool open);
    // The event's SysEx bytes as one long message when it carries any, else its three bytes as a
    // short message, whatever the status byte.
    virtual void PutMidiEvent(const TMyMidiEvent& event);
    // Refuses a first byte that is no status byte of a short message (below 0x80, 0xF0, 0xF7) and
    // sends nothing then.
    virtual void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // Copies the bytes and returns before they have gone out. A length of 0 sends nothing.
    virtual void PutLong(const std::uint8_t* bytes, std::uint16_t length);

    std::function<void()> OnMidiOutput;

private:
    bool isOpen() const override { return state_ == mosOpen; }
    void notified(PortNotifier::Kind kind) override;

    MidiOutputState state_ = mosClosed;
    std::unique_ptr<ServiceOutput> device_;
    // Long messages handed to the service, oldest first; each service reports them in order.
    std::deque<std::unique_ptr<TMyMidiHdr>> inFlight_;
};
