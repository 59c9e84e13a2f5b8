#pragma once

#include "model/voice.h"
#include "preview/patch.h"
#include "preview/preview_output.h"

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <jack/jack.h>
#include <memory>
#include <optional>

class PreviewEngine;

// The preview on JACK: an audio client "Marrowlink preview" with two output ports, left and right,
// that plays the voice it was given. Every call comes from one control thread (the Qt thread);
// only JACK's process callback renders, through the engine's lock-free handoff.
//
// On start the ports go where the user last connected them while the preview ran, else to the
// system's playback ports, unless something (a patchbay) connected them already.
class JackPreview : public PreviewOutput {
public:
    static constexpr const char* ClientName = "Marrowlink preview";

    JackPreview();
    ~JackPreview() override;
    JackPreview(const JackPreview&) = delete;
    JackPreview& operator=(const JackPreview&) = delete;

    // Opens the client, starts the sound and connects the ports; returns what went wrong, if
    // anything. A running preview is left as it is.
    std::optional<QString> Start() override;
    // Silences the preview and closes the client; remembers where the ports were connected.
    void Stop() override;
    // False before a start, after a stop, and once the JACK server has gone.
    bool Running() const override;
    // The ports' full names ("Marrowlink preview:left", ...), while it runs.
    QStringList OutputPorts() const;

    // Kept over a stop; heard at once while it runs.
    void SetVoice(const Voice& voice) override;
    // False when the preview is not running (or its ring is full): nothing was played.
    bool NoteOn(int key, int velocity) override;
    bool NoteOff(int key) override;
    bool AllNotesOff() override;
    bool PitchBend(int value) override;                       // -8192..8191
    bool SetController(ModSource source, int value) override; // 0..127
    // Middle C at velocity 100 for one second.
    bool PlayTestNote() override;

private:
    static int process(jack_nframes_t frames, void* self);
    static int sampleRateChanged(jack_nframes_t rate, void* self);
    static void shutdown(jack_status_t, const char*, void* self);
    template <class Call> bool play(Call call);
    std::optional<QString> open();
    void connectOutputs();
    void close();

    jack_client_t* client_ = nullptr;
    std::array<jack_port_t*, 2> ports_{};
    std::unique_ptr<PreviewEngine> engine_;
    std::atomic<bool> gone_{false};
    Voice voice_;
    // Where the user had connected each port when the preview last stopped.
    std::array<QStringList, 2> connections_;
};
