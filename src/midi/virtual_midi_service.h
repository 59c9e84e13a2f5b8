#pragma once

#include "midi/midi_service.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

// A MIDI service whose devices are endpoints inside the program: for tests, and for a demo without
// hardware. One delivery thread of its own carries everything, in the order it was handed in:
// bytes a device sends to the program's inputs, and messages the program's outputs send to a
// device (which then reaches the device's receive handler). A device can be both an input and an
// output device, like a USB interface.
class VirtualMidiService final : public MidiService {
public:
    enum Direction { SendsToComputer = 1, ReceivesFromComputer = 2, Both = 3 };
    using Message = std::vector<std::uint8_t>;
    // Runs on the delivery thread; it may Inject (an answer is delivered after what is already
    // queued) but must not change handlers.
    using ReceiveHandler = std::function<void(std::span<const std::uint8_t>)>;

    VirtualMidiService();
    ~VirtualMidiService() override;

    // Devices are listed in the order they were added, under their stable names.
    void AddDevice(const QString& name, Direction direction = Both);
    // The device disappears: open inputs on it receive nothing more and sends to it fail.
    void RemoveDevice(const QString& name);
    // The service looks at its devices, as a real one does every tenth of a second: the change
    // handlers run from the event loop. Adding and removing devices alone tells no one.
    void NoticeDeviceChanges();
    // The MIDI system stops, as a JACK server does, and the change handlers hear of it at once:
    // nothing is listed or opened, and the devices open meanwhile stay dead after it starts
    // again (sends fail with the invalid-handle code, inputs receive nothing).
    void StopSystem();
    void StartSystem();
    bool SystemRunning() override { return running_.load(); }

    // The device sends one message to every started input open on it: one to three bytes
    // as a short message; a SysEx (or anything longer) whole, of any length; no bytes as an empty
    // SysEx buffer.
    // False when no such device sends to the computer.
    bool Inject(const QString& device, Message bytes);
    // Everything the program's outputs have sent to the device, each message as sent, in order.
    std::vector<Message> Received(const QString& device) const;
    void ClearReceived(const QString& device);
    // Called for each message the device receives; an empty handler removes it. Waits for a
    // running call of the old handler to end.
    void SetReceiveHandler(const QString& device, ReceiveHandler handler);

    // Blocks until everything handed in has been delivered.
    void WaitIdle();

    QStringList InputDevices() override;
    QStringList OutputDevices() override;
    MidiResult OpenInput(const QString& name, MidiInputSink& sink,
                         std::unique_ptr<ServiceInput>& input) override;
    MidiResult OpenOutput(const QString& name, MidiOutputSink& sink,
                          std::unique_ptr<ServiceOutput>& output) override;

private:
    struct Device;
    class Input;
    class Output;
    struct Job {
        std::shared_ptr<Device> device;
        bool toComputer;
        Message bytes;
        TMyMidiHdr* header = nullptr; // a long message from an output, instead of bytes
        Output* output = nullptr;
    };

    std::shared_ptr<Device> find(const QString& name, Direction direction) const;
    QStringList names(Direction direction) const;
    void run();
    void deliverToInputs(const Device& device, const Message& bytes);
    void deliverToDevice(Device& device, std::span<const std::uint8_t> bytes);
    void removeInput(Input* input);

    mutable std::mutex mutex_; // devices, their logs, the job queue
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::vector<std::shared_ptr<Device>> devices_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::atomic<bool> running_{true};
    std::atomic<int> generation_{0}; // one more at each stop of the system

    std::mutex inputsMutex_;   // held while inputs are called, so closing waits for them
    std::mutex handlersMutex_; // held while a receive handler runs
    std::thread thread_;
};
