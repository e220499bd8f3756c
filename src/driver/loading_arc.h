#pragma once
// The loading screen's arithmetic, apart from GL: how a reported weight advances the
// progress, how the picture fades in and out, and the six quad strips of the progress arc
// around it. The arc has 500 segments; segment i lies at the angle pi - 2 pi i / 500 and
// gives an inner vertex at radius r1 and an outer one at r2, in that order. It grows
// clockwise from the top (the loading screen's "MV" flips y) and closes at a progress of 1.
namespace loading_arc {

constexpr int kSegments = 500;

// progress + (weight x 0.01186, to float) x 1.0586159999999998, to float. A weight of 100
// adds about 1.2555; the scenes' weights add up to about 1 over the whole loading.
float advance(float progress, float weight);

// 1, except progress x 10 below 0.1 (fade in) and 1 - (progress - 0.9) x 10 above 0.9
// (fade out, about 0 at 1.0).
float fade(float progress);

// sin and cos of segment i's angle, in single precision with 2 pi as 6.2831854820251465.
struct Direction {
    float x;  // sin a
    float y;  // cos a
};
Direction direction(int segment);

struct Strip {
    int first;     // first segment index
    int count;     // segments in the strip (each gives two vertices)
    float r1;      // inner radius
    float r2;      // outer radius
    float grey1;   // grey of the inner vertices
    float grey2;   // grey of the outer vertices
};

// The six strips for progress P and fade f:
//   1-3: segments 0, 1, ... while i < P x 500: the band (1.02-1.09, grey 0.4 f), its inner edge
//        (1.0 black to 1.02) and its outer edge (1.1 black to 1.09).
//   4-6: the same three bands, dimmer (0.75 of 0.4 f), over the segments from (int)(P x 500)
//        while i < P x 500 + 1: the arc's leading end.
struct Arc {
    Strip strips[6];
};
Arc arc(float progress, float fadeFactor);

}  // namespace loading_arc
