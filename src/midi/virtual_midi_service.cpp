#include "midi/virtual_midi_service.h"

#include "midi/device_names.h"
#include "midi/input_delivery.h"
#include "midi/midi_event.h"

#include <algorithm>
#include <atomic>

struct VirtualMidiService::Device {
    QString name;
    Direction direction;
    std::atomic<bool> present{true};
    std::vector<Message> received; // under mutex_
    ReceiveHandler handler;        // under handlersMutex_
    std::vector<Input*> inputs;    // under inputsMutex_
};

class VirtualMidiService::Input final : public InputDelivery {
public:
    Input(VirtualMidiService& service, std::shared_ptr<Device> device, MidiInputSink& sink)
        : InputDelivery(sink), service_(service), device_(std::move(device)),
          generation_(service.generation_.load()) {}
    ~Input() override { service_.removeInput(this); }

    Device& device() const { return *device_; }
    bool alive() const { return service_.running_ && service_.generation_ == generation_; }

private:
    VirtualMidiService& service_;
    std::shared_ptr<Device> device_;
    const int generation_;
};

class VirtualMidiService::Output final : public ServiceOutput {
public:
    Output(VirtualMidiService& service, std::shared_ptr<Device> device, MidiOutputSink& sink)
        : service_(service), device_(std::move(device)), sink_(sink),
          generation_(service.generation_.load()) {}
    ~Output() override {
        std::unique_lock lock(service_.mutex_);
        service_.idle_.wait(lock, [this] { return pendingLong_ == 0; });
    }

    MidiResult SendShort(std::uint32_t packed) override {
        const std::uint8_t bytes[3] = {std::uint8_t(packed), std::uint8_t(packed >> 8),
                                       std::uint8_t(packed >> 16)};
        const auto length = std::size_t(ShortMessageLength(bytes[0]));
        return send(Message(bytes, bytes + length), nullptr);
    }
    MidiResult SendLong(TMyMidiHdr& header) override { return send({}, &header); }

    MidiOutputSink& sink() const { return sink_; }
    int pendingLong_ = 0; // under the service's mutex_

private:
    MidiResult send(Message bytes, TMyMidiHdr* header) {
        std::lock_guard lock(service_.mutex_);
        if (!service_.running_ || service_.generation_ != generation_)
            return MidiInvalidHandle;
        if (!device_->present)
            return MidiNoDevice;
        if (header) {
            device_->received.emplace_back(header->Data.get(),
                                           header->Data.get() + header->BufferLength);
            ++pendingLong_;
        } else {
            device_->received.push_back(bytes);
        }
        service_.jobs_.push_back({device_, false, std::move(bytes), header, this});
        service_.wake_.notify_one();
        return MidiOk;
    }

    VirtualMidiService& service_;
    std::shared_ptr<Device> device_;
    MidiOutputSink& sink_;
    const int generation_;
};

VirtualMidiService::VirtualMidiService() : thread_([this] { run(); }) {}

VirtualMidiService::~VirtualMidiService() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        // Handlers and ports may already be gone; what was not delivered is dropped.
        jobs_.clear();
    }
    wake_.notify_all();
    thread_.join();
}

void VirtualMidiService::AddDevice(const QString& name, Direction direction) {
    auto device = std::make_shared<Device>();
    device->name = name;
    device->direction = direction;
    std::lock_guard lock(mutex_);
    devices_.push_back(std::move(device));
}

void VirtualMidiService::RemoveDevice(const QString& name) {
    std::lock_guard lock(mutex_);
    for (Direction direction : {SendsToComputer, ReceivesFromComputer})
        if (auto device = find(name, direction)) {
            device->present = false;
            return;
        }
}

void VirtualMidiService::NoticeDeviceChanges() {
    PostChange();
}

void VirtualMidiService::StopSystem() {
    {
        std::lock_guard lock(mutex_);
        running_ = false;
        ++generation_;
    }
    PostChange();
}

void VirtualMidiService::StartSystem() {
    running_ = true;
    PostChange();
}

QStringList VirtualMidiService::names(Direction direction) const {
    if (!running_)
        return {};
    QStringList reported;
    for (const auto& device : devices_)
        if (device->present && (device->direction & direction))
            reported << device->name;
    return StableDeviceNames(reported);
}

std::shared_ptr<VirtualMidiService::Device> VirtualMidiService::find(const QString& name,
                                                                     Direction direction) const {
    const int index = names(direction).indexOf(name);
    if (index < 0)
        return nullptr;
    int seen = 0;
    for (const auto& device : devices_)
        if (device->present && (device->direction & direction) && seen++ == index)
            return device;
    return nullptr;
}

QStringList VirtualMidiService::InputDevices() {
    std::lock_guard lock(mutex_);
    return names(SendsToComputer);
}

QStringList VirtualMidiService::OutputDevices() {
    std::lock_guard lock(mutex_);
    return names(ReceivesFromComputer);
}

MidiResult VirtualMidiService::OpenInput(const QString& name, MidiInputSink& sink,
                                         std::unique_ptr<ServiceInput>& input) {
    if (!running_)
        return MidiNoDriver;
    std::shared_ptr<Device> device;
    {
        std::lock_guard lock(mutex_);
        device = find(name, SendsToComputer);
    }
    if (!device)
        return MissingDeviceResult(name);
    auto opened = std::make_unique<Input>(*this, device, sink);
    {
        std::lock_guard lock(inputsMutex_);
        device->inputs.push_back(opened.get());
    }
    input = std::move(opened);
    return MidiOk;
}

MidiResult VirtualMidiService::OpenOutput(const QString& name, MidiOutputSink& sink,
                                          std::unique_ptr<ServiceOutput>& output) {
    if (!running_)
        return MidiNoDriver;
    std::lock_guard lock(mutex_);
    std::shared_ptr<Device> device = find(name, ReceivesFromComputer);
    if (!device)
        return MissingDeviceResult(name);
    output = std::make_unique<Output>(*this, device, sink);
    return MidiOk;
}

void VirtualMidiService::removeInput(Input* input) {
    std::lock_guard lock(inputsMutex_);
    auto& inputs = input->device().inputs;
    inputs.erase(std::remove(inputs.begin(), inputs.end(), input), inputs.end());
}

bool VirtualMidiService::Inject(const QString& device, Message bytes) {
    std::lock_guard lock(mutex_);
    std::shared_ptr<Device> found = find(device, SendsToComputer);
    if (!found)
        return false;
    jobs_.push_back({std::move(found), true, std::move(bytes), nullptr, nullptr});
    wake_.notify_one();
    return true;
}

std::vector<VirtualMidiService::Message> VirtualMidiService::Received(const QString& device) const {
    std::lock_guard lock(mutex_);
    std::shared_ptr<Device> found = find(device, ReceivesFromComputer);
    return found ? found->received : std::vector<Message>{};
}

void VirtualMidiService::ClearReceived(const QString& device) {
    std::lock_guard lock(mutex_);
    if (std::shared_ptr<Device> found = find(device, ReceivesFromComputer))
        found->received.clear();
}

void VirtualMidiService::SetReceiveHandler(const QString& device, ReceiveHandler handler) {
    std::shared_ptr<Device> found;
    {
        std::lock_guard lock(mutex_);
        found = find(device, ReceivesFromComputer);
    }
    if (!found)
        return;
    std::lock_guard lock(handlersMutex_);
    found->handler = std::move(handler);
}

void VirtualMidiService::WaitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void VirtualMidiService::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        if (job.toComputer)
            deliverToInputs(*job.device, job.bytes);
        else if (job.header)
            deliverToDevice(*job.device, {job.header->Data.get(), job.header->BufferLength});
        else
            deliverToDevice(*job.device, job.bytes);
        if (job.header)
            job.output->sink().LongDone(*job.header);
        lock.lock();
        busy_ = false;
        if (job.header)
            --job.output->pendingLong_;
        idle_.notify_all();
    }
}

void VirtualMidiService::deliverToInputs(const Device& device, const Message& bytes) {
    if (!device.present)
        return;
    std::lock_guard lock(inputsMutex_);
    for (Input* input : device.inputs)
        if (input->alive())
            input->Deliver(bytes.data(), bytes.size());
}

void VirtualMidiService::deliverToDevice(Device& device, std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(handlersMutex_);
    if (device.handler)
        device.handler(bytes);
}
