#pragma once

#include "preview/envelope.h"
#include "preview/modulation.h"
#include "preview/patch.h"
#include "preview/waveforms.h"

#include <array>
#include <cstdint>

// What every note hears in one block: the patch, the controllers' effect and the LFO.
struct NoteContext {
    const PreviewPatch* patch = nullptr;
    const Waveforms::Tables* waves = nullptr;
    Modulation modulation;
    double lfoPitch = 0;     // the LFO's wave, -1..1
    double lfoAmplitude = 0; // the same, 0..1
    double sampleRate = 48000;
};

// One sounding note: four operators, their envelopes and operator 4's feedback. The patch is read
// afresh in every block, so an edit reaches notes that are already sounding.
class FmNote {
public:
    // The envelopes, the LFO and the levels move on once per block; the gains glide across it.
    static constexpr int BlockFrames = 16;

    // Key on: the phases start at 0 and the envelopes attack from where they are.
    void Start(int key, int velocity, std::uint64_t order);
    void Release(std::uint64_t order);

    // Adds up to BlockFrames frames of the note to out.
    void Render(const NoteContext& context, float* out, int frames);

    bool Sounding() const { return sounding_; }
    bool Held() const { return held_; }
    int Key() const { return key_; }
    int Velocity() const { return velocity_; }
    std::uint64_t StartOrder() const { return startOrder_; }
    std::uint64_t ReleaseOrder() const { return releaseOrder_; }

private:
    struct Operator {
        Envelope envelope;
        std::uint32_t phase = 0;
        std::uint32_t increment = 0;
        float gain = 0;
    };

    // Sets each operator's increment and target gain for the block; returns the targets.
    std::array<float, OperatorCount> prepare(const NoteContext& context, double seconds);

    std::array<Operator, OperatorCount> ops_{};
    std::array<float, 2> feedback_{}; // operator 4's last two outputs
    int key_ = 60;
    int velocity_ = 100;
    bool held_ = false;
    bool sounding_ = false;
    double secondsSinceStart_ = 0;
    std::uint64_t startOrder_ = 0;
    std::uint64_t releaseOrder_ = 0;
};
