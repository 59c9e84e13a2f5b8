#include "midi/rtmidi_endpoint.h"

#include "midi/rtmidi_support.h"

RtMidiEndpoint::RtMidiEndpoint(MidiBackend backend, const QString& name, Handler onReceive)
    : name_(name), onReceive_(std::move(onReceive)), outErrors_(std::make_unique<RtMidiErrors>()),
      inErrors_(std::make_unique<RtMidiErrors>()),
      out_(MakeRtMidi<RtMidiOut>(backend, name.toStdString(), *outErrors_)),
      in_(MakeRtMidi<RtMidiIn>(backend, (name + QStringLiteral(" In")).toStdString(), *inErrors_)) {
    if (out_)
        out_->openVirtualPort("MIDI Out");
    if (in_) {
        in_->ignoreTypes(false, false, false);
        in_->setCallback(&RtMidiEndpoint::received, this);
        in_->openVirtualPort("MIDI In");
    }
    for (const RtMidiErrors* errors : {outErrors_.get(), inErrors_.get()})
        if (errors->failed && errors->type != RtMidiError::WARNING && problem_.isEmpty())
            problem_ = QString::fromStdString(errors->text);
    if (problem_.isEmpty() && (!out_ || !in_ || outErrors_->failed || inErrors_->failed))
        problem_ =
            QStringLiteral("the MIDI system refused the ports (is the JACK server running?)");
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
    if (endpoint->onReceive_)
        endpoint->onReceive_(*message);
}
