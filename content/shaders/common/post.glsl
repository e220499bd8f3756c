// The shared post chain: depth helpers, a screen-space occlusion estimate, the night sky and
// ground seen behind the geometry, the colour grade, glow taps, vignette and grain.
// Needs noise.glsl and lighting.glsl first.

const float kNear = 0.01;
const float kFar = 250.0;

// Eye-space distance of a depth-buffer value.
float linearDepth(float d) {
    return kNear * kFar / (kFar - d * (kFar - kNear));
}

// Ambient occlusion from the depth buffer: neighbours in a spiral that stand in front of the
// centre darken it, within a world-size radius.
float screenOcclusion(sampler2D depthTex, vec2 uv, vec2 resolution, float centreZ, float radius) {
    float aspect = resolution.x / resolution.y;
    float pixelRadius = clamp(radius / (centreZ * 0.52), 0.002, 0.08);
    float occ = 0.0;
    float angle = hash12(uv * resolution) * 6.2831853;
    const int kTaps = 12;
    for (int i = 0; i < kTaps; ++i) {
        float f = (float(i) + 0.5) / float(kTaps);
        float a = angle + float(i) * 2.39996;
        vec2 off = vec2(cos(a), sin(a) * aspect) * pixelRadius * sqrt(f);
        float z = linearDepth(texture(depthTex, uv + off).r);
        float dz = centreZ - z;
        occ += smoothstep(0.02, 0.25, dz) * (1.0 - smoothstep(radius * 2.0, radius * 5.0, dz));
    }
    return 1.0 - occ / float(kTaps);
}

// Direction of the view ray through uv for this scene family's level camera.
vec3 viewRay(vec2 uv, float aspect, float fovDegrees) {
    float h = tan(radians(fovDegrees) * 0.5);
    return normalize(vec3((uv.x * 2.0 - 1.0) * h * aspect, (uv.y * 2.0 - 1.0) * h, -1.0));
}

// The night sky: a dim haze at the horizon rising into blue-black, with the sky image's
// upper face (the middle of its horizontal cross) laid over it for stars and cloud. The whole
// upper hemisphere maps into that face stereographically, so nothing is clamped or repeated.
vec3 nightSky(sampler2D sky, vec3 dir) {
    float up = clamp(dir.y, 0.0, 1.0);
    vec3 base = mix(kHaze * 1.35, vec3(0.018, 0.022, 0.035), pow(up, 0.55));
    vec2 st = dir.xz / (1.0 + up);
    vec2 face = vec2(0.375, 0.5) + st * vec2(0.125, 0.1667) * 0.94;
    vec3 image = texture(sky, face).rgb;
    // Fine stars of our own, sharper than the image can be at this magnification.
    vec2 cellDir = vec2(atan(dir.z, dir.x) * 240.0, up * 380.0);
    vec2 cell = floor(cellDir);
    float star = step(0.985, hash12(cell)) * smoothstep(0.5, 0.1, length(fract(cellDir) - 0.5));
    float twinkle = 0.6 + 0.4 * hash12(cell + 7.0);
    return base + image * 0.07 * smoothstep(0.0, 0.25, up) +
           vec3(0.75, 0.8, 0.9) * star * twinkle * smoothstep(0.02, 0.2, up);
}

// The dark ground plane behind the geometry, seen from eye height `eyeHeight`.
vec3 darkGround(vec3 dir, float eyeHeight, float ttime) {
    float dist = eyeHeight / max(-dir.y, 1e-4);
    vec2 p = dir.xz * dist;
    float grain = fbm2(p * 0.8) * 0.5 + fbm2(p * 6.0) * 0.25;
    vec3 ground = vec3(0.06, 0.06, 0.065) * (0.75 + grain);
    // A faint warm pool of light where the figures walk.
    ground += vec3(0.07, 0.055, 0.04) * exp(-dist * 0.1);
    return applyHaze(ground, dist, 0.035);
}

// Night-and-ink grade: lifted blacks with a cool cast, warm highlights, soft shoulder.
vec3 grade(vec3 c) {
    float l = dot(c, vec3(0.299, 0.587, 0.114));
    c = mix(vec3(l), c, 0.85);
    c *= mix(vec3(0.92, 0.97, 1.06), vec3(1.05, 1.0, 0.93), smoothstep(0.1, 0.7, l));
    c = c / (1.0 + 0.35 * c);
    return c * 1.3;
}

float luma(vec3 c) { return dot(c, vec3(0.299, 0.587, 0.114)); }

float vignette(vec2 uv, float aspect) {
    vec2 d = (uv - 0.5) * vec2(aspect, 1.0);
    return 1.0 - smoothstep(0.35, 1.25, length(d)) * 0.75;
}

float filmGrain(vec2 uv, float ttime) {
    return hash12(uv * 1731.0 + fract(ttime * 7.31) * 311.0) - 0.5;
}
