#version 430 compatibility
// The rain: 1024 x 1024 drops fall through the depth recording. Where the recording sees the
// person, passing drops land on the relief of the figure and light it; some are caught on
// it, ride its motion a while and are thrown off. From 18.5 s every drop leaves and flies
// into the title.
//
// Buffers: binding 4 position (xyz, w = shown); 5 velocity (xyz, w = caught until), or while
// gathering the point the flight started from; 6 state (x = mode, y = on the figure last
// step, z unused, w = kInitMark). ColourImage a: the point's size factor, negative for a
// falling streak.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "stage.glsl"
#include "rain.glsl"

layout(local_size_x = 16, local_size_y = 16) in;

layout(std430, binding = 4) buffer PositionBuffer { vec4 positions[]; };
layout(std430, binding = 5) buffer VelocityBuffer { vec4 velocities[]; };
layout(std430, binding = 6) buffer StateBuffer { vec4 states[]; };

layout(rgba32f, binding = 2) uniform writeonly image2D ColourImage;

uniform sampler3D CurlTexture;
uniform sampler2D VoronoiTexture;
uniform sampler2D OriginalPositionTexture;   // the recording: (u, v, depth) per pixel
uniform sampler2D VellunaPositionTexture;    // the title's samples
uniform sampler2D StoneTexture2;
uniform float ttime;
uniform float DeltaT;
uniform float Invocation;
uniform float PosY;

const float kInitMark = 5113.5;
const float kFalling = 0.0;
const float kCaught = 1.0;
const float kGathering = 2.0;

vec3 flowAt(vec3 p) {
    return texture(CurlTexture, p * vec3(0.06, 0.04, 0.06) + vec3(0.0, ttime * 0.015, 0.0)).xyz;
}

vec2 recordingSize() { return max(vec2(textureSize(OriginalPositionTexture, 0)), vec2(1.0)); }

// The recording at a stage point: xy = image motion in world units a second, z = depth.
vec3 recordingAt(vec2 uv) {
    vec3 r = texture(OriginalPositionTexture, uv).xyz;
    // The signal is in eighths of a pixel per recording frame (18 a second); image rows
    // run downward, the stage upward.
    vec2 motion = vec2(r.x, -r.y) * 8.0 * 18.0 / recordingSize() * kStageSize;
    return vec3(motion, r.z);
}

// The relief's normal from the depths two pixels either side; the figure's outline falls
// away. A pixel spans depth / focal of the surface, focal = 285 pixels per 320 across.
vec3 reliefNormal(vec2 uv, float depth) {
    vec2 size = recordingSize();
    vec2 texel = 2.0 / size;
    float l = texture(OriginalPositionTexture, uv - vec2(texel.x, 0.0)).z;
    float r = texture(OriginalPositionTexture, uv + vec2(texel.x, 0.0)).z;
    float d = texture(OriginalPositionTexture, uv - vec2(0.0, texel.y)).z;
    float u = texture(OriginalPositionTexture, uv + vec2(0.0, texel.y)).z;
    l = isFigure(l) ? l : depth + 0.4;
    r = isFigure(r) ? r : depth + 0.4;
    d = isFigure(d) ? d : depth + 0.4;
    u = isFigure(u) ? u : depth + 0.4;
    float focal = 285.0 * size.x / 320.0;
    vec2 slope = vec2(r - l, u - d) * focal / (4.0 * max(depth, 1.0));
    // Depth grows away from the camera: the surface faces the nearer side.
    return normalize(vec3(slope, 1.0));
}

vec3 figureLight(vec3 n) {
    float key = max(dot(n, normalize(vec3(-0.55, 0.6, 0.55))), 0.0);
    float fill = max(dot(n, normalize(vec3(0.75, -0.15, 0.6))), 0.0);
    float rim = pow(1.0 - clamp(n.z, 0.0, 1.0), 3.0);
    return kKeyColour * (0.06 + 0.6 * key * key) + kFillColour * 0.22 * fill + vec3(1.0, 0.85, 0.62) * rim * 0.55;
}

void stepDrop(uint i, uint width) {
    ivec2 tc = ivec2(int(i % width), int(i / width));
    float t = ttime;
    float dt = DeltaT;

    // Its point of the title, if the scatter reached one.
    ivec2 titleSize = textureSize(VellunaPositionTexture, 0);
    vec3 titleSample = texelFetch(VellunaPositionTexture, titleTexel(i, titleSize), 0).xyz;
    bool hasTitle = titleSize.x > 0 && dot(titleSample, titleSample) > 1e-12;
    vec3 title = titleFromSamples(titleSample) + vec3(0.0, PosY, 0.0);
    float gatherAt = hasTitle ? titleGatherStart(title, i) : 1e9;

    vec4 p = positions[i];
    vec4 v = velocities[i];
    vec4 s = states[i];
    bool fresh = s.w != kInitMark || any(isnan(p)) || any(isinf(p)) || any(isnan(v)) || any(isinf(v));
    if (fresh) {
        bool gathering = t >= gatherAt;
        vec3 fall = rainAt(i, gathering ? gatherAt : t);
        p = vec4(fall, 1.0);
        v = gathering ? vec4(fall, 0.0) : vec4(0.0, -rainSpeed(i), 0.0, 0.0);
        s = vec4(gathering ? kGathering : kFalling, 0.0, 0.0, kInitMark);
    }
    vec3 pos = p.xyz;
    vec3 vel = v.xyz;
    float mode = s.x;
    float caughtUntil = v.w;
    vec3 origin = v.xyz;   // while gathering

    if (mode != kGathering && t >= gatherAt) {
        mode = kGathering;
        origin = pos;
    }

    vec2 uv = stageUV(pos.xy);
    vec3 rec = onStage(uv) ? recordingAt(uv) : vec3(0.0);
    bool figure = onStage(uv) && isFigure(rec.z);
    bool lit = false;

    if (mode == kCaught) {
        // Ride the figure's motion and slide down slowly; let go when the figure is gone from
        // under the drop, when its time is up, or when a fast move throws it off.
        vec2 motion = rec.xy;
        bool stay = figure && t < caughtUntil && length(motion) < 0.8 + 1.5 * hash1(i, 81u);
        if (!stay) {
            mode = kFalling;
            vel = vec3(motion * 1.3 + (vec2(hash1(i, 82u), hash1(i, 83u)) - 0.5) * 0.3, 0.0);
        } else {
            pos.xy += (motion + vec2(0.0, -0.03)) * dt;
            pos.z = mix(pos.z, reliefZ(rec.z) + 0.02, 1.0 - exp(-25.0 * dt));
            vel = vec3(motion, 0.0);
            lit = true;
        }
    }

    if (mode == kFalling) {
        float speed = rainSpeed(i);
        vec3 air = flowAt(pos) * 0.12 + vec3(0.05, 0.0, 0.0);
        vel = mix(vel, vec3(air.x, -speed, air.z * 0.3), 1.0 - exp(-2.0 * dt));
        pos += vel * dt;
        // Out at the bottom: back in at the top, in a new column. A long step (a slow machine)
        // may carry a drop more than the whole span down: it comes back in all the same.
        if (pos.y < kRainTop - kRainSpan) {
            pos.y += kRainSpan * ceil((kRainTop - kRainSpan - pos.y) / kRainSpan);
            pos.x = rainColumn(i, uint(t * 37.0));
        }
        if (abs(pos.x) > kRainHalfWidth + 0.3) pos.x -= sign(pos.x) * 2.0 * kRainHalfWidth;
        // On the figure the drop lands on the relief; elsewhere it keeps its own depth.
        uv = stageUV(pos.xy);
        rec = onStage(uv) ? recordingAt(uv) : vec3(0.0);
        figure = onStage(uv) && isFigure(rec.z);
        float zGoal = figure ? reliefZ(rec.z) : rainDepth(i);
        pos.z = mix(pos.z, zGoal, 1.0 - exp(-(figure ? 30.0 : 4.0) * dt));
        if (figure) {
            lit = true;
            // Entering the figure from outside: some drops are caught.
            if (s.y < 0.5 && hash1(i ^ uint(t * 11.0), 84u) < 0.35) {
                mode = kCaught;
                caughtUntil = t + 0.6 + 2.6 * hash1(i, 85u);
            }
        }
    }

    float flight = 0.0;
    if (mode == kGathering) {
        // Into the title along a swirl that opens and closes again. The flight is a function
        // of time from where it started, so it looks the same at any frame rate.
        flight = gatherProgress(t, gatherAt);
        vec3 line = mix(origin, title, flight);
        vec3 swirl = flowAt(line * 1.3 + vec3(3.0)) * 0.5 * sin(3.1415927 * flight);
        vec3 next = line + swirl;
        vel = dt > 0.0 ? (next - pos) / dt : vec3(0.0);
        pos = next;
    }

    // Colour and size.
    float reveal = figureReveal(t);
    float shown = rainShown(i, t);
    vec3 c;
    float size;
    if (mode == kGathering) {
        // The letters are solid: their front faces (z up to 0.22 in the file) catch the
        // light, their sides fall off into shade.
        float grain = dot(texture(StoneTexture2, title.xy * vec2(0.5, 1.2)).rgb, vec3(0.333));
        float face = smoothstep(-0.12, 0.2, titleSample.z);
        vec3 letter = kPale * (0.3 + 0.32 * face) * (0.85 + 0.3 * grain);
        // A light runs along the finished title.
        float glint = exp(-pow((title.x - mix(-2.6, 2.6, smoothstep(24.2, 26.6, t))) * 2.4, 2.0));
        letter += kKeyColour * glint * 0.3 * face;
        // On the way a drop is a warm mote (a brighter one if it was falling rain).
        float mote = max(0.2 * smoothstep(0.0, 0.15, flight), shown * 0.45);
        // The letters' back halves are not drawn once there: the rain has no depth test, so
        // they would speckle the faces in front of them.
        if (titleSample.z < -0.02) letter = vec3(0.0);
        c = mix((kPale + vec3(0.1, 0.04, -0.04)) * mote, letter, smoothstep(0.6, 1.0, flight));
        size = mix(1.0, 0.9, flight);
    } else if (lit) {
        vec3 light = figureLight(reliefNormal(stageUV(pos.xy), rec.z));
        float caught = mode == kCaught ? 1.0 : 0.0;
        c = light * mix(0.75, 1.25, caught) * max(reveal, shown);
        size = mix(0.85, 1.3, caught);
    } else {
        c = kPale * (0.3 + 0.25 * hash1(i, 77u)) * shown;
        size = -(1.0 + 0.6 * hash1(i, 78u));   // a falling streak
    }
    // Drops that no title sample waits for fade out while the others gather.
    if (!hasTitle) c *= 1.0 - smoothstep(21.5, 24.0, t);

    float visible = dot(c, c) > 1e-6 ? 1.0 : 0.0;
    positions[i] = vec4(pos, visible);
    velocities[i] = mode == kGathering ? vec4(origin, 0.0) : vec4(vel, caughtUntil);
    states[i] = vec4(mode, lit ? 1.0 : 0.0, 0.0, kInitMark);
    imageStore(ColourImage, tc, vec4(c, size));
}

void main() {
    uint width = uint(Invocation);
    uint count = width * width;
    uvec2 span = gl_NumWorkGroups.xy * gl_WorkGroupSize.xy;
    uint stride = span.x * span.y;
    if (stride == 0u) return;
    for (uint i = gl_GlobalInvocationID.y * span.x + gl_GlobalInvocationID.x; i < count; i += stride)
        stepDrop(i, width);
}
