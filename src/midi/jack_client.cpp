#include "midi/jack_client.h"

#include <chrono>
#include <thread>

std::shared_ptr<JackClient> JackClient::Open(const QString& name) {
    jack_client_t* handle = jack_client_open(name.toUtf8().constData(), JackNoStartServer, nullptr);
    if (!handle)
        return nullptr;
    std::shared_ptr<JackClient> client(new JackClient(handle));
    jack_on_info_shutdown(handle, &JackClient::shutdown, client.get());
    jack_set_process_callback(handle, &JackClient::process, client.get());
    if (jack_activate(handle) != 0)
        return nullptr;
    return client;
}

JackClient::JackClient(jack_client_t* client)
    : client_(client), handle_(client), name_(QString::fromUtf8(jack_get_client_name(client))) {}

JackClient::~JackClient() {
    Close();
}

void JackClient::Close() {
    std::lock_guard lock(calls_);
    // Returns soon also on a server that has gone (JACK2 takes a few tens of milliseconds).
    if (client_)
        jack_client_close(client_);
    client_ = nullptr;
}

QStringList JackClient::Ports(unsigned long flags) {
    std::lock_guard lock(calls_);
    QStringList names;
    if (!client_)
        return names;
    const char** ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    if (!ports)
        return names;
    for (const char** port = ports; *port; ++port)
        names << QString::fromUtf8(*port);
    jack_free(ports);
    return names;
}

jack_port_t* JackClient::RegisterPort(unsigned long flags) {
    std::lock_guard lock(calls_);
    if (!client_)
        return nullptr;
    const QString name =
        QStringLiteral("%1-%2")
            .arg((flags & JackPortIsInput) ? QLatin1String("in") : QLatin1String("out"))
            .arg(++portsMade_);
    return jack_port_register(client_, name.toUtf8().constData(), JACK_DEFAULT_MIDI_TYPE, flags, 0);
}

void JackClient::UnregisterPort(jack_port_t* port) {
    std::lock_guard lock(calls_);
    if (client_)
        jack_port_unregister(client_, port);
}

bool JackClient::Connect(const QString& source, const QString& destination) {
    std::lock_guard lock(calls_);
    return client_ && jack_connect(client_, source.toUtf8().constData(),
                                   destination.toUtf8().constData()) == 0;
}

bool JackClient::Attach(JackCycleUser& user) {
    for (auto& place : users_) {
        JackCycleUser* empty = nullptr;
        if (place.compare_exchange_strong(empty, &user))
            return true;
    }
    return false;
}

void JackClient::Detach(JackCycleUser& user) {
    for (auto& place : users_) {
        JackCycleUser* attached = &user;
        place.compare_exchange_strong(attached, nullptr);
    }
    // A cycle that had begun before the user was taken out may still be serving it; one that
    // begins later cannot see it (both sides order their steps sequentially consistently).
    const std::uint64_t seen = cycleEdges_.load();
    if (seen % 2 == 0)
        return;
    // A server that has gone runs no further cycle, but the one under way still ends; the bound
    // only keeps a stalled thread from holding the Qt thread for good.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (cycleEdges_.load() == seen && !(Gone() && std::chrono::steady_clock::now() > deadline))
        std::this_thread::sleep_for(std::chrono::microseconds(50));
}

int JackClient::process(jack_nframes_t frames, void* self) {
    auto* client = static_cast<JackClient*>(self);
    client->cycleEdges_.fetch_add(1);
    const jack_nframes_t cycleStart = jack_last_frame_time(client->handle_);
    for (auto& place : client->users_)
        if (JackCycleUser* user = place.load())
            user->Process(frames, cycleStart);
    client->cycleEdges_.fetch_add(1);
    return 0;
}

void JackClient::shutdown(jack_status_t, const char*, void* self) {
    static_cast<JackClient*>(self)->gone_.store(true, std::memory_order_release);
}
