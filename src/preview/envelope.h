#pragma once

// An operator's envelope in the chip's log domain: an attenuation in decibels that the attack
// brings down to 0 and the decays and the release take back up to the floor, 96 dB.
namespace EnvelopeRates {

constexpr double RangeDb = 96;

// The effective rate 0..63 of an attack, decay 1 or decay 2 rate 0..31 at a key code 0..31 with
// rate scaling 0..3; 0 (the envelope holds) for rate 0.
int Effective(int rate, int keyCode, int scaling);
// The same for a release rate 0..15, which never holds.
int EffectiveRelease(int rate, int keyCode, int scaling);
// Seconds a decay at effective rate 1..63 takes over the whole range.
double DecaySeconds(int effectiveRate);
// Seconds an attack at effective rate 1..63 takes from the floor to full level; 0 (at once) from
// rate 62.
double AttackSeconds(int effectiveRate);

} // namespace EnvelopeRates

class Envelope {
public:
    enum class Stage { Attack, Decay1, Decay2, Release, Done };
    // Effective rates, 0 for a hold, and decay 1's target.
    struct Rates {
        int attack = 0;
        int decay1 = 0;
        int decay2 = 0;
        int release = 0;
        double decay1LevelDb = 0;
    };

    // Attacks from the attenuation reached so far.
    void Start() { stage_ = Stage::Attack; }
    void Release() {
        if (stage_ != Stage::Done)
            stage_ = Stage::Release;
    }
    // Moves on by that many seconds and returns the attenuation then.
    double Advance(const Rates& rates, double seconds);

    double AttenuationDb() const { return db_; }
    Stage CurrentStage() const { return stage_; }

private:
    double attack(int rate, double seconds);
    double rise(int rate, double target, double seconds);

    Stage stage_ = Stage::Done;
    double db_ = EnvelopeRates::RangeDb;
};
