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

// The stall rule with a memory of the step before. A step above one second is dropped when it
// stands alone: the first step, or one after a step of a second or less (a hitch between fast
// frames, the first frame after loading), so the scenes do not jump. In a run of such steps (a
// machine too slow for real time) every step after the first is kept, so the demo clock still
// moves and the music lock pulls it onto the music: the pictures skip ahead instead of
// freezing. On a machine that keeps every frame under a second nothing changes.
class StepLimiter {
public:
    float limit(float measured);

private:
    bool previousLong_ = false;
};

// 1 - 0.4 x (demoTime - musicTime), with the drift rounded to float and the product taken in
// double and rounded to float, then clamped to [0.7, 1/0.7].
// NOTE: a position that is not a number (no sample, at byte 0) gives the upper clamp, as an
// infinite one does; the clock would otherwise turn into not-a-number for good.
float lockFactor(double demoTime, float musicTime);

// One real-time step: the measured step through the stall rule, times the lock factor.
float realTimeStep(StepLimiter& limiter, float measured, double demoTime, float musicTime);

}  // namespace demo_clock
