#include "midi/rtmidi_endpoint.h"

#include "midi/rtmidi_support.h"

namespace {
QString refused() {
    return QStringLiteral("the MIDI system refused the ports (is the JACK server running?)");
}
} // namespace

RtMidiEndpoint::RtMidiEndpoint(MidiBackend backend, const QString& name)
    : name_(name), outErrors_(std::make_unique<RtMidiErrors>()),
      inErrors_(std::make_unique<RtMidiErrors>()),
      out_(MakeRtMidi<RtMidiOut>(backend, name.toStdString(), *outErrors_)),
      in_(MakeRtMidi<RtMidiIn>(backend, (name + QStringLiteral(" In")).toStdString(), *inErrors_)) {
    if (out_)
        out_->openVirtualPort("MIDI Out");
    if (in_) {
        in_->ignoreTypes(false, false, false);
        in_->setCallback(&RtMidiEndpoint::received, this);
    }
    noteProblems(*outErrors_);
    noteProblems(*inErrors_);
    if (problem_.isEmpty() && (!out_ || !in_))
        problem_ = refused();
}

void RtMidiEndpoint::Start(Handler onReceive) {
    onReceive_ = std::move(onReceive);
    started_.store(true, std::memory_order_release);
    if (!in_)
        return;
    in_->openVirtualPort("MIDI In");
    // From here on the handler may send from the backend's thread, which then owns outErrors_.
    noteProblems(*inErrors_);
}

void RtMidiEndpoint::Stop() {
    // Closing waits for the backend's thread.
    in_.reset();
}

void RtMidiEndpoint::noteProblems(const RtMidiErrors& errors) {
    if (!problem_.isEmpty() || !errors.failed)
        return;
    problem_ =
        errors.type != RtMidiError::WARNING ? QString::fromStdString(errors.text) : refused();
}

RtMidiEndpoint::~RtMidiEndpoint() = default;

bool RtMidiEndpoint::Send(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(sending_);
    if (!out_)
        return false;
    outErrors_->Clear();
    out_->sendMessage(bytes.data(), bytes.size());
    return !outErrors_->failed;
}

void RtMidiEndpoint::received(double, std::vector<unsigned char>* message, void* self) {
    auto* endpoint = static_cast<RtMidiEndpoint*>(self);
    if (endpoint->started_.load(std::memory_order_acquire) && endpoint->onReceive_)
        endpoint->onReceive_(*message);
}
