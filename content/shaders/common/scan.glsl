// Lidar scans as the show draws them: points sized by their distance and shaded by their
// occlusion term (the share of the sky each point saw when the scan was prepared, 0 .. 10 in
// the cloud's fourth component): open ground bright and warm, the space under crowns, in
// corners and behind walls dark and cool. Scene units are a thousandth of a metre; the
// scan cameras clip at 0.001 and 0.4.
// Needs noise.glsl first.

const float kScanNear = 0.001;
const float kScanFar = 0.4;
const float kScanMetre = 0.001;

// Eye-space distance (scene units) of a depth-buffer value of a scan camera.
float scanLinearDepth(float d) {
    return kScanNear * kScanFar / (kScanFar - d * (kScanFar - kScanNear));
}

// Pixel size of a point `worldSize` across at eye distance `dist`, for projection `mp` and a
// view `screenWidth` pixels wide. Close up the size stops at about three quarters of a
// percent of the picture's width: a surface there reads through its density and the eye-dome
// shading, not through ever larger discs.
float scanPointSize(float worldSize, float dist, mat4 mp, float screenWidth) {
    float pixels = worldSize * mp[0][0] * screenWidth * 0.5 / max(dist, 1e-6);
    return clamp(pixels, 1.0, max(2.0, screenWidth * 0.0075));
}

// The scan's colour for an occlusion term `w` (0 .. 10): deep blue-grey where the point is
// shut in, warm white where it is open to the sky.
vec3 scanShade(float w) {
    float open = clamp(w / 10.0, 0.0, 1.0);
    // Most of a scan is partly shut in (the terms bunch up low): a curve that opens them up.
    float light = pow(open, 0.75);
    vec3 shut = vec3(0.085, 0.095, 0.13);
    vec3 lit = vec3(0.98, 0.92, 0.82);
    return mix(shut, lit, light) + vec3(0.05, 0.045, 0.04) * smoothstep(0.85, 1.0, open);
}

// A faint shimmer of scan lines sweeping up through the points.
float scanShimmer(vec3 p, float ttime) {
    float line = fract(p.y / (0.35 * kScanMetre) - ttime * 0.6);
    float sweep = fract((p.x + p.z) / (9.0 * kScanMetre) - ttime * 0.11);
    return 1.0 + 0.10 * smoothstep(0.9, 1.0, line) + 0.25 * smoothstep(0.985, 1.0, sweep);
}

// Haze by distance in scene units: the scan fades into the night beyond a few tens of metres.
// The haze colour is the one the night background has at the horizon, so far points sink
// into it instead of standing out as a glitter of single pixels.
const vec3 kScanNight = vec3(0.040, 0.043, 0.056);
vec3 scanHaze(vec3 c, float dist, float reach) {
    return mix(kScanNight, c, exp(-max(dist - 0.004, 0.0) / reach));
}

// The night behind a scan, from the screen position alone (the cameras stay near level): a dim
// band at the horizon rising into blue-black, with fine stars of our own above it.
vec3 scanNightBackground(vec2 uv, vec2 resolution, float horizon) {
    float up = uv.y - horizon;
    vec3 c = mix(vec3(0.055, 0.055, 0.07), vec3(0.012, 0.015, 0.028), smoothstep(0.0, 0.6, up));
    c = mix(c, vec3(0.02, 0.02, 0.025), smoothstep(0.0, -0.25, up));
    vec2 cellPos = uv * resolution / 2.0;
    vec2 cell = floor(cellPos);
    float star = step(0.992, hash12(cell)) * smoothstep(0.55, 0.1, length(fract(cellPos) - 0.5));
    return c + vec3(0.7, 0.75, 0.85) * star * (0.4 + 0.6 * hash12(cell + 3.0)) * smoothstep(0.02, 0.2, up);
}

// Ambient occlusion from the depth buffer around a scan point: neighbours in front darken it
// within `radius` (scene units).
float scanOcclusion(sampler2D depthTex, vec2 uv, vec2 resolution, float centreZ, float radius) {
    float pixelRadius = clamp(radius / (centreZ * 0.5), 1.5 / resolution.y, 0.05);
    float aspect = resolution.x / resolution.y;
    float angle = hash12(uv * resolution) * 6.2831853;
    float occ = 0.0;
    const int kTaps = 8;
    for (int i = 0; i < kTaps; ++i) {
        float f = (float(i) + 0.5) / float(kTaps);
        float a = angle + float(i) * 2.39996;
        vec2 off = vec2(cos(a) / aspect, sin(a)) * pixelRadius * sqrt(f);
        float z = scanLinearDepth(texture(depthTex, uv + off).r);
        float dz = centreZ - z;
        occ += smoothstep(radius * 0.05, radius * 0.6, dz) * (1.0 - smoothstep(radius * 2.0, radius * 6.0, dz));
    }
    return 1.0 - occ / float(kTaps);
}

// Linear eye distance of a depth-buffer value for a perspective camera with clip planes
// `near` and `far`.
float scanEyeDistance(float d, float near, float far) {
    return near * far / (far - d * (far - near));
}

// Eye-dome lighting over a depth buffer: each pixel's log depth is compared with eight
// neighbours `radius` pixels away, and every neighbour nearer than the pixel darkens it, so
// edges, creases and silhouettes read without normals while flat faces stay lit. Steps of
// under a thousandth of the distance (one point sprite beside the next on the same surface)
// are let through, so a close surface does not break up into tiles. Empty neighbours
// (depth 1) count as nothing. Returns the shade (0 .. 1) and, in `covered`, how many of the
// eight neighbours hold a point.
float scanEyeDome(sampler2D depthTex, vec2 uv, vec2 texel, float centreDepth, float near, float far,
                  float radius, float strength, out int covered) {
    float centre = log2(scanEyeDistance(centreDepth, near, far));
    float sum = 0.0;
    covered = 0;
    for (int i = 0; i < 8; ++i) {
        float a = float(i) * 0.78539816;
        float d = texture(depthTex, uv + vec2(cos(a), sin(a)) * texel * radius).r;
        if (d >= 0.99999) continue;
        ++covered;
        sum += max(0.0, centre - log2(scanEyeDistance(d, near, far)) - 0.0015);
    }
    return exp(-sum / 8.0 * 300.0 * strength);
}

// Fills a pixel that no point reached but that most of its neighbours did (a gap between
// small points up close) with their average colour, so a near surface stays whole.
vec3 scanGapFill(sampler2D colourTex, sampler2D depthTex, vec2 uv, vec2 texel, float radius) {
    vec3 sum = vec3(0.0);
    float n = 0.0;
    for (int i = 0; i < 8; ++i) {
        float a = float(i) * 0.78539816;
        vec2 at = uv + vec2(cos(a), sin(a)) * texel * radius;
        if (texture(depthTex, at).r >= 0.99999) continue;
        sum += texture(colourTex, at).rgb;
        n += 1.0;
    }
    return sum / max(n, 1.0);
}
