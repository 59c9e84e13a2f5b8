#pragma once

#include <QString>
#include <algorithm>
#include <cmath>
#include <jack/jack.h>
#include <mutex>
#include <vector>

// Another program on the JACK server that listens: two audio inputs, and for every cycle its
// frame time and the loudest sample of its second half that reached them (the first may still
// glide from the level before). A test double, so its process callback
// takes a lock.
class AudioPeer {
public:
    struct Cycle {
        jack_nframes_t frameTime;
        float peak;
    };

    explicit AudioPeer(const QString& name) {
        client_ = jack_client_open(name.toUtf8().constData(), JackNoStartServer, nullptr);
        if (!client_)
            return;
        for (std::size_t i = 0; i < 2; ++i)
            in_[i] = jack_port_register(client_, i == 0 ? "in_1" : "in_2", JACK_DEFAULT_AUDIO_TYPE,
                                        JackPortIsInput, 0);
        jack_set_process_callback(client_, &AudioPeer::process, this);
        running_ = in_[0] && in_[1] && jack_activate(client_) == 0;
    }
    ~AudioPeer() {
        if (client_)
            jack_client_close(client_);
    }
    AudioPeer(const AudioPeer&) = delete;
    AudioPeer& operator=(const AudioPeer&) = delete;

    bool Running() const { return running_; }
    jack_client_t* Client() const { return client_; }
    QString Input(int i) const { return QString::fromUtf8(jack_port_name(in_[std::size_t(i)])); }
    jack_nframes_t Period() const { return jack_get_buffer_size(client_); }
    jack_nframes_t Now() const { return jack_frame_time(client_); }

    std::vector<Cycle> Cycles() const {
        std::lock_guard lock(mutex_);
        return cycles_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        cycles_.clear();
    }

private:
    static int process(jack_nframes_t frames, void* self) {
        auto* peer = static_cast<AudioPeer*>(self);
        float peak = 0;
        for (jack_port_t* port : peer->in_) {
            const auto* samples = static_cast<const float*>(jack_port_get_buffer(port, frames));
            for (jack_nframes_t i = frames / 2; i < frames; ++i)
                peak = std::max(peak, std::abs(samples[i]));
        }
        std::lock_guard lock(peer->mutex_);
        peer->cycles_.push_back({jack_last_frame_time(peer->client_), peak});
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* in_[2] = {};
    bool running_ = false;
    mutable std::mutex mutex_;
    std::vector<Cycle> cycles_;
};
