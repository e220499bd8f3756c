#pragma once
// The hand-held sway that the particle and scan scenes lay over their camera scripts: at scene
// time t they read the recorded path at step k = (35 t - 38) - 38, i.e. 35 samples per second
// starting 76 samples before the scene's zero.
//
//   const PathSample s = pathSwayAt(path, localTime);
//   target = target + s.position * weight;
//
// NOTE: the step is taken as an unsigned 64-bit value before the modulo, so a negative k (the
// lead-in before t = 2.17) counts as 2^64 + k and lands somewhere in the middle of the
// recording, not at its start. That is how the recording has always been read.
#include <cstddef>
#include <cstdint>

#include "formats/camera_path.h"

// k = (35 t - 38) - 38 in double, truncated toward zero to 32 bits (saturating far outside
// the show's times).
int32_t pathSwayStep(double t);
// The record the sway reads at time t from a path of `records` samples: k as an unsigned
// 64-bit value modulo (records - 1); 0 when there are fewer than two records.
uint64_t pathSwayIndex(double t, size_t records);
// The sample at that record; all zero with fewer than two records.
PathSample pathSwayAt(const CameraPath& path, double t);
