#pragma once

#include <cstdint>

// The low-frequency oscillator that the chip shares among its notes.
class Lfo {
public:
    enum Wave { SawUp, Square, Triangle, SampleAndHold };

    // speed 0..99, delay 0..99.
    static double SpeedHz(int speed);
    static double DelaySeconds(int delay);

    // Back to the start of the period, as key sync does at each note-on.
    void Restart();
    void Advance(double hz, double seconds);
    // -1..1; the saw rises across the period, the square is high in its first half, the triangle
    // starts at 0 rising, sample and hold takes a new value at each period's start.
    double Value(int wave) const;

private:
    void sampleNext();

    double phase_ = 0;
    double held_ = 0;
    std::uint32_t random_ = 0x9E3779B9u; // any non-zero seed: renders repeat exactly
};
