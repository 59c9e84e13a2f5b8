#pragma once

#include "model/voice.h"
#include "preview/preview_output.h"

#include <QStringList>
#include <vector>

// A preview that keeps what it was given: each voice, and each call that plays as a short text
// ("on 60 100", "bend 4096", "source 1 64"). It starts unless it was told why it cannot.
class RecordingPreview : public PreviewOutput {
public:
    std::optional<QString> Start() override {
        if (refusal)
            return refusal;
        running = true;
        return std::nullopt;
    }
    void Stop() override { running = false; }
    bool Running() const override { return running; }
    void SetVoice(const Voice& voice) override { voices.push_back(voice); }
    bool NoteOn(int key, int velocity) override {
        return play(QStringLiteral("on %1 %2").arg(key).arg(velocity));
    }
    bool NoteOff(int key) override { return play(QStringLiteral("off %1").arg(key)); }
    bool AllNotesOff() override { return play(QStringLiteral("all off")); }
    bool PitchBend(int value) override { return play(QStringLiteral("bend %1").arg(value)); }
    bool SetController(ModSource source, int value) override {
        return play(QStringLiteral("source %1 %2").arg(int(source)).arg(value));
    }
    bool PlayTestNote() override { return play(QStringLiteral("test note")); }

    std::optional<QString> refusal;
    bool running = false;
    std::vector<Voice> voices;
    QStringList played;

private:
    bool play(const QString& call) {
        played << call;
        return running;
    }
};
