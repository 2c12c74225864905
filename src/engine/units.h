#pragma once
// Conversion constants shared by the engine's computations.

namespace korvana {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kRadPerDeg = kPi / 180;
constexpr double kDegPerRad = 57.29577951308232;
constexpr double kTenthDegPerRad = 572.9577951308232;   // 1800 / pi
constexpr double kRadPerTimeMinute = 0.004363323129985824;  // pi / 720
constexpr double kTimeMinutesPerRad = 229.1831180523293;    // 720 / pi
constexpr double kHalfPi = 1.5707963267948966;

// The Kaaba: 21.4225 degrees north, 39.8262 degrees east.
constexpr float kKaabaLatitudeRad = 0.373893f;
constexpr double kKaabaLongitudeRad = 0.695098;

}  // namespace korvana
