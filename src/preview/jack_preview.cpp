#include "preview/jack_preview.h"

#include "preview/preview_engine.h"

#include <algorithm>

namespace {

constexpr const char* PortNames[] = {"left", "right"};

QStringList portList(const char** names) {
    QStringList list;
    if (!names)
        return list;
    for (const char** name = names; *name; ++name)
        list << QString::fromUtf8(*name);
    jack_free(names);
    return list;
}

} // namespace

JackPreview::JackPreview() = default;

JackPreview::~JackPreview() {
    Stop();
}

std::optional<QString> JackPreview::Start() {
    if (Running())
        return std::nullopt;
    close(); // a client whose server has gone
    if (auto problem = open()) {
        close();
        return problem;
    }
    connectOutputs();
    return std::nullopt;
}

std::optional<QString> JackPreview::open() {
    jack_status_t status{};
    client_ = jack_client_open(ClientName, JackNoStartServer, &status);
    if (!client_)
        return (status & JackServerFailed)
                   ? QStringLiteral("the preview is off: no JACK server is running (start JACK, "
                                    "or PipeWire with its JACK layer)")
                   : QStringLiteral("the preview is off: the JACK server refused its client "
                                    "(status 0x%1)")
                         .arg(unsigned(status), 0, 16);
    gone_.store(false);
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        ports_[i] =
            jack_port_register(client_, PortNames[i], JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        if (!ports_[i])
            return QStringLiteral("the preview is off: JACK refused its output ports");
    }
    engine_ = std::make_unique<PreviewEngine>(double(jack_get_sample_rate(client_)));
    engine_->SetVoice(voice_);
    jack_on_info_shutdown(client_, &JackPreview::shutdown, this);
    jack_set_sample_rate_callback(client_, &JackPreview::sampleRateChanged, this);
    jack_set_process_callback(client_, &JackPreview::process, this);
    if (jack_activate(client_) != 0)
        return QStringLiteral("the preview is off: JACK would not start its client");
    return std::nullopt;
}

void JackPreview::connectOutputs() {
    const QStringList playback = portList(jack_get_ports(client_, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                                         JackPortIsPhysical | JackPortIsInput));
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        const QString ours = QString::fromUtf8(jack_port_name(ports_[i]));
        if (!portList(jack_port_get_all_connections(client_, ports_[i])).isEmpty())
            continue;
        QStringList targets = connections_[i];
        if (targets.isEmpty() && !playback.isEmpty())
            targets << playback[std::min<qsizetype>(qsizetype(i), playback.size() - 1)];
        for (const QString& target : targets)
            jack_connect(client_, ours.toUtf8().constData(), target.toUtf8().constData());
    }
}

void JackPreview::Stop() {
    if (client_ && !gone_.load())
        for (std::size_t i = 0; i < ports_.size(); ++i)
            connections_[i] = portList(jack_port_get_all_connections(client_, ports_[i]));
    close();
}

void JackPreview::close() {
    // Closing waits for a process callback under way, so the engine outlives its last use.
    if (client_)
        jack_client_close(client_);
    client_ = nullptr;
    ports_ = {};
    engine_.reset();
}

bool JackPreview::Running() const {
    return client_ && !gone_.load(std::memory_order_acquire);
}

QStringList JackPreview::OutputPorts() const {
    QStringList names;
    if (Running())
        for (jack_port_t* port : ports_)
            names << QString::fromUtf8(jack_port_name(port));
    return names;
}

void JackPreview::SetVoice(const Voice& voice) {
    voice_ = voice;
    if (engine_)
        engine_->SetVoice(voice);
}

template <class Call> bool JackPreview::play(Call call) {
    return Running() && call(*engine_);
}

bool JackPreview::NoteOn(int key, int velocity) {
    return play([&](PreviewEngine& e) { return e.NoteOn(key, velocity); });
}

bool JackPreview::NoteOff(int key) {
    return play([&](PreviewEngine& e) { return e.NoteOff(key); });
}

bool JackPreview::AllNotesOff() {
    return play([](PreviewEngine& e) { return e.AllNotesOff(); });
}

bool JackPreview::PitchBend(int value) {
    return play([&](PreviewEngine& e) { return e.PitchBend(value); });
}

bool JackPreview::SetController(ModSource source, int value) {
    return play([&](PreviewEngine& e) { return e.SetController(source, value); });
}

bool JackPreview::PlayTestNote() {
    return play([](PreviewEngine& e) { return e.PlayTestNote(); });
}

int JackPreview::process(jack_nframes_t frames, void* self) {
    auto* preview = static_cast<JackPreview*>(self);
    auto* left = static_cast<float*>(jack_port_get_buffer(preview->ports_[0], frames));
    auto* right = static_cast<float*>(jack_port_get_buffer(preview->ports_[1], frames));
    preview->engine_->Render(left, right, int(frames));
    return 0;
}

int JackPreview::sampleRateChanged(jack_nframes_t rate, void* self) {
    static_cast<JackPreview*>(self)->engine_->SetSampleRate(double(rate));
    return 0;
}

void JackPreview::shutdown(jack_status_t, const char*, void* self) {
    static_cast<JackPreview*>(self)->gone_.store(true, std::memory_order_release);
}
