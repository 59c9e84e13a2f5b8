#pragma once

// The last step before the output: the DC a half-wave carrier leaves is taken out, and the sum
// of the notes is kept within -1..1 by a soft limit that is linear up to its threshold, so that
// a loud chord is squeezed rather than wrapped around or clipped hard. Anything that is not a
// finite number leaves as silence.
class OutputStage {
public:
    explicit OutputStage(double sampleRate) { SetSampleRate(sampleRate); }
    void SetSampleRate(double sampleRate);
    float Process(float sample);
    static float Limit(float sample);

private:
    float pole_ = 0;
    float lastIn_ = 0;
    float lastOut_ = 0;
};
