#pragma once

#include <span>
#include <vector>

// Measures of rendered sound, from first principles, for the tests.

// The amplitude of the component at hz, from a Hann-windowed Goertzel over the samples.
double AmplitudeAt(std::span<const float> samples, double hz, double sampleRate);
// The frequency of a pure tone, from its rising zero crossings (interpolated) over the samples.
double ToneHz(std::span<const float> samples, double sampleRate);
// The peak magnitude in each window of that many samples.
std::vector<double> PeakEnvelope(std::span<const float> samples, int window);
// The first window index at or after start whose value is at or above (rising) or below (falling)
// the level; -1 when none is.
int FirstAtOrAbove(const std::vector<double>& envelope, double level, int start = 0);
int FirstBelow(const std::vector<double>& envelope, double level, int start = 0);
double Db(double ratio);
