#pragma once
// Shaping curves for scene cameras: smooth rises from 0 to 1 that the camera scripts use to
// blend between poses and to start moves gently.
//
//   const double e = ease((t - 8.0) * 0.15, 3.0);   // 0 before t = 8, 1 after t = 14.67
//   fov -= 5.0 * ramp(t - 68.6);                     // 0 before, then grows ever faster

// 0 for x <= 0, 1 for x >= 1, and in between (1 - ((cos(pi x) + 1) / 2)^((p - 1) / 2 + 1))^p.
double ease(double x, double p);
// The same in single precision with pi as 3.1415927, for the scan scenes' cameras.
float easeFloat(float x, float p);
// 0 for v <= 0; with x = v and w = min(0.3 x, 1): (1 - w) (x / 2)^2.2 + w x. A soft start
// that becomes the straight line x from x = 10/3 on.
double ramp(double v);
