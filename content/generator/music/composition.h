#pragma once
// The soundtrack's composition, laid on the show's timeline: one section per scene, each with
// its own whole number of bars, so that every scene change falls on a downbeat.
#include <string>
#include <vector>

#include "generator/music/score.h"
#include "generator/music/timeline.h"

namespace music {

struct Section {
    std::string scene;
    double start;   // seconds
    double length;  // seconds
    int bars;       // 4/4 bars in the section
    double bar() const { return length / bars; }
    double bpm() const { return 240.0 / bar(); }
    double at(double barPosition) const { return start + barPosition * bar(); }
};

// Bars per scene: a tempo near 120 BPM, preferring whole phrases (multiples of 4, then of 2).
int barsFor(double seconds);
std::vector<Section> sectionsOf(const std::vector<SceneSpan>& timeline);

// Seconds of music after the show ends: the last chord rings out.
constexpr double kTailSeconds = 12.0;

Score compose(const std::vector<SceneSpan>& timeline);

}  // namespace music
