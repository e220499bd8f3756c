#version 430 compatibility
// The overlay, blended over the first post pass until t = 31: the scanner's beam, which
// crosses the picture from left to right as the new scan arrives (t = 3 to 5.6, in step with
// the points' front), and faint scan lines that thin out towards the end of the overlay.
#include "../common/noise.glsl"

in vec2 vUV;

uniform vec3 resolution;
uniform float ttime;

void main() {
    // The points' front runs across the 90-degree lens; in this 60-degree picture it
    // stands tan(45) / tan(30) further out.
    float wideFront = mix(-1.7, 1.7, clamp((ttime - 3.0) / 2.6, 0.0, 1.0));
    float x = (vUV.x * 2.0 - 1.0) / 1.7320508;
    float beam = exp(-abs(x - wideFront) * 40.0) * step(3.0, ttime) * (1.0 - step(5.6, ttime));
    float lines = 0.5 + 0.5 * sin(vUV.y * resolution.y * 1.5708);
    float hum = lines * 0.05 * (1.0 - smoothstep(24.0, 31.0, ttime));
    float a = clamp(beam * 0.55 + hum, 0.0, 1.0);
    gl_FragColor = vec4(vec3(1.0, 0.9, 0.72) * (0.6 + 0.4 * hash12(vUV * 997.0)), a);
}
