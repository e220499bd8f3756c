#pragma once
// The demo clock's step, as pure arithmetic: the render loop measures the wall-clock step,
// drops stalls, and scales the step by a factor that pulls the demo clock toward the music.
// Ahead of the music the clock slows down, behind it speeds up, never outside [0.7, 1/0.7],
// so the pictures converge on the music smoothly instead of jumping.
namespace demo_clock {

constexpr float kMinRate = 0.7f;
constexpr float kMaxRate = static_cast<float>(1.4285714285714286);  // 1 / 0.7

// A measured step above one second (a stall, a debugger break, the end of loading) becomes 0.
float limitStep(float dt);

// 1 - 0.4 x (demoTime - musicTime), with the drift rounded to float and the product taken in
// double and rounded to float, then clamped to [0.7, 1/0.7].
// NOTE: a position that is not a number (no sample, at byte 0) gives the upper clamp, as an
// infinite one does; the clock would otherwise turn into not-a-number for good.
float lockFactor(double demoTime, float musicTime);

}  // namespace demo_clock
