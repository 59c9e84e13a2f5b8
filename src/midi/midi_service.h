#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QObject;
struct TMyMidiHdr;

// Result codes of our MIDI services. The numbers follow the classic multimedia codes where the
// meaning is the same, so that the ports' context texts apply to both services.
enum MidiResult : std::uint16_t {
    MidiOk = 0,
    MidiFailed = 1,
    MidiBadDeviceId = 2,
    MidiInvalidHandle = 5, // the MIDI system behind an open device has gone away
    MidiNoDriver = 6,
    MidiNoMemory = 7,
    MidiNotReady = 67, // the way out to the MIDI system is full for now
    MidiNoDevice = 68,
    MidiNoStatusByte = 70,
    MidiTooLong = 100,
};

// Where an open input delivers the messages that MidiStreamParser framed, on the service's own
// thread. Implementations take no lock and allocate nothing.
class MidiInputSink {
public:
    // A message of one to three bytes, packed status | data1 << 8 | data2 << 16 (missing bytes 0).
    virtual void ShortMessage(std::uint32_t packed, std::uint32_t timeStamp) = 0;
    // A SysEx arrives in pieces as the device sends it: LongData with the next bytes (from its F0
    // on; valid only during the call) any number of times, then LongEnd once its F7 has come, or
    // LongAbort when another message cut it short. LongEnd with no LongData before it is an empty
    // SysEx buffer.
    virtual void LongData(const std::uint8_t* bytes, std::size_t count,
                          std::uint32_t timeStamp) = 0;
    virtual void LongEnd(std::uint32_t timeStamp) = 0;
    virtual void LongAbort() = 0;
    // A service that runs in cycles ran this many of them without the input while the device was
    // sending: what it sent in them is gone. The others never call it.
    virtual void CyclesMissed(std::uint32_t) {}

protected:
    ~MidiInputSink() = default;
};

// Where an open output reports that a long message has gone out (any thread).
class MidiOutputSink {
public:
    virtual void LongDone(TMyMidiHdr& header) = 0;

protected:
    ~MidiOutputSink() = default;
};

// An open input device. Delivery begins at Start (time stamps count from there) and ends at Stop;
// destroying it closes the device and returns only once no delivery is running.
class ServiceInput {
public:
    virtual ~ServiceInput() = default;
    virtual MidiResult Start() = 0;
    virtual MidiResult Stop() = 0;
};

// An open output device. Destroying it closes the device after every long message handed in has
// been reported done.
class ServiceOutput {
public:
    virtual ~ServiceOutput() = default;
    // Sends as many bytes of the packed message as its status byte implies.
    virtual MidiResult SendShort(std::uint32_t packed) = 0;
    // Sends the header's BufferLength bytes; the header stays alive until LongDone.
    virtual MidiResult SendLong(TMyMidiHdr& header) = 0;
};

// The MIDI system beneath the ports. Devices are known by stable names (see StableDeviceNames);
// a device's index is its position in the current list, and opening looks the name up again so a
// device found before a replug is found after it. Made on the Qt thread.
class MidiService {
public:
    MidiService();
    virtual ~MidiService();
    MidiService(const MidiService&) = delete;
    MidiService& operator=(const MidiService&) = delete;

    virtual QStringList InputDevices() = 0;
    virtual QStringList OutputDevices() = 0;
    virtual MidiResult OpenInput(const QString& name, MidiInputSink& sink,
                                 std::unique_ptr<ServiceInput>& input) = 0;
    virtual MidiResult OpenOutput(const QString& name, MidiOutputSink& sink,
                                  std::unique_ptr<ServiceOutput>& output) = 0;

    // Whether the MIDI system runs. A JACK server can stop, which closes every device it had,
    // and start again; the other systems always run. Does not wait for the system.
    virtual bool SystemRunning() { return true; }

    // Heard on the Qt thread, from its event loop, soon after the devices listed may have changed
    // or the system has stopped or started: a device plugged in or out, a JACK client come or
    // gone. Handlers run in the order they were added. Changes that come before the handlers
    // have run are heard once; a change while a handler runs a nested event loop (a message box)
    // runs the handlers again inside it.
    using ChangeHandler = std::function<void()>;
    int AddChangeHandler(ChangeHandler handler);
    void RemoveChangeHandler(int id);

    // The service's text for a result code; empty when it has none.
    static QString ResultText(std::uint16_t code);

protected:
    // Any thread: has the handlers run.
    void PostChange();

private:
    void runHandlers();

    std::unique_ptr<QObject> changes_; // on the Qt thread: where a posted change is handled
    std::atomic<bool> changePosted_{false};
    std::vector<std::pair<int, ChangeHandler>> handlers_;
    int lastHandler_ = 0;
};

// Why a device name could not be opened: none was selected, or it is no longer there.
inline MidiResult MissingDeviceResult(const QString& name) {
    return name.isEmpty() ? MidiBadDeviceId : MidiNoDevice;
}

// Bytes a short message with this status byte puts on the wire.
int ShortMessageLength(std::uint8_t status);

constexpr std::uint32_t PackShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    return std::uint32_t(status) | std::uint32_t(data1) << 8 | std::uint32_t(data2) << 16;
}
