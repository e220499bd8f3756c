// Spectral colour for the rainbow scene's programs (the particles, the crowd's reflection):
// a hue 0 (red) .. 5/6 (violet) at full saturation, and the hue the crowd wears at a place
// and a time, the rainbow sweeping through it.

vec3 spectrum(float hue) {
    vec3 k = abs(fract(vec3(hue) + vec3(0.0, 2.0 / 3.0, 1.0 / 3.0)) * 6.0 - 3.0) - 1.0;
    return clamp(k, 0.0, 1.0);
}

float crowdHue(vec3 p, float t) {
    return fract(p.x * 0.04 - p.z * 0.025 + p.y * 0.05 - t * 0.11);
}
