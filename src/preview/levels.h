#pragma once

// Attenuations in decibels that set an operator's level: its output level through the chip's
// level curve, the algorithm's carrier compensation, key level scaling and velocity.
namespace Levels {

constexpr double DbPerTotalLevelStep = 0.75;

// Output level 0..99 to the chip's total level 127..0.
int TotalLevel(int outputLevel);
double OutputLevelDb(int outputLevel);
// algorithm 0..7 as stored.
double CarrierCompensationDb(int algorithm);
// scaling 0..99; grows with the note above the break note.
double KeyScalingDb(int scaling, int note);
// sensitivity 0..7, velocity 1..127.
double VelocityDb(int sensitivity, int velocity);

} // namespace Levels
