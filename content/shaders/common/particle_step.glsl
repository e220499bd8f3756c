// The body every chase-the-mesh compute shader shares. Each particle i chases a target made
// from texel i of the mesh-sample textures, through the velocity field, with a per-particle
// Voronoi cell that makes patches of particles break away together.
//
// The including shader defines, after this file:
//   vec3  particleTarget(vec3 meshPoint, uint i, out float visible)
//   vec3  particleScatter(vec3 target, uint i)          // where i waits before it gathers
//   float particleGather(vec3 target, uint i)            // 1 scattered .. 0 on its target
//   float particleChaseRate(float age, uint i)           // 1/s
//   float particleTurbulence(float age, float cell, uint i)
//   vec4  particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed,
//                        float age, uint i)          // rgb, a = point-size factor
// and, optionally (see PARTICLE_OWN_VISIBILITY, PARTICLE_REBASE and PARTICLE_SCENE_CLOCK_STEP
// below):
//   bool  particleRebase(uint i)
//
// Buffers: binding 4 position (xyz, w = shown), 5 velocity of the offset (xyz, w = age),
// 6 state (xyz = offset from the target, w = kInitMark). They start undefined, so a particle
// whose state does not carry the mark is (re)initialised here.
//
// A particle is its target plus an offset, and it is the offset that chases a goal: the
// velocity field's push, plus the particle's scatter offset times the gathering envelope,
// both functions of scene time. So a particle follows its mesh point exactly when the air is
// still, whatever the target does from frame to frame (walk frames need not share their
// sample order), figures that wrap round the loop take their particles with them, and the
// gathering looks the same at any frame rate.
// NOTE: the dispatch covers (width / 16) * 16 invocations per side, fewer than the grid, so
// each invocation walks the particles with a stride of the whole invocation count.
//
// A shader whose targets do not come from one texel per particle (a procedural target, say)
// defines PARTICLE_CUSTOM_SAMPLE before including this file and provides
//   void particleSample(uint i, ivec2 tc, out vec4 meshPoint, out vec3 sampleColour,
//                       out vec3 sampleNormal)
// in place of the three texel fetches.

layout(local_size_x = 16, local_size_y = 16) in;

layout(std430, binding = 4) buffer PositionBuffer { vec4 positions[]; };
layout(std430, binding = 5) buffer VelocityBuffer { vec4 velocities[]; };
layout(std430, binding = 6) buffer StateBuffer { vec4 states[]; };

layout(rgba32f, binding = 2) uniform writeonly image2D ColourImage;

uniform sampler3D CurlTexture;
uniform sampler2D VoronoiTexture;
uniform sampler2D OriginalPositionTexture;
uniform sampler2D SuperOriginalPositionTexture;
uniform sampler2D OriginalColorTexture;
uniform sampler2D OriginalUVTexture;
uniform sampler2D StoneTexture2;
uniform float ttime;
uniform float DeltaT;
uniform float Invocation;
uniform float PosX;
uniform float PosY;

const float kInitMark = 7351.25;

#ifdef PARTICLE_CUSTOM_SAMPLE
void particleSample(uint i, ivec2 tc, out vec4 meshPoint, out vec3 sampleColour, out vec3 sampleNormal);
#else
void particleSample(uint i, ivec2 tc, out vec4 meshPoint, out vec3 sampleColour, out vec3 sampleNormal) {
    meshPoint = texelFetch(OriginalPositionTexture, tc, 0);
    sampleColour = texelFetch(OriginalColorTexture, tc, 0).rgb;
    sampleNormal = texelFetch(OriginalUVTexture, tc, 0).xyz;
}
#endif

vec3 particleTarget(vec3 meshPoint, uint i, out float visible);
vec3 particleScatter(vec3 target, uint i);
float particleGather(vec3 target, uint i);
float particleChaseRate(float age, uint i);
float particleTurbulence(float age, float cell, uint i);
vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i);
#ifdef PARTICLE_REBASE
bool particleRebase(uint i);
#endif

vec3 flowAt(vec3 p) {
    return texture(CurlTexture, p * vec3(0.045, 0.03, 0.045) + vec3(0.0, ttime * 0.012, 0.0)).xyz;
}

void stepParticle(uint i, uint width) {
    ivec2 tc = ivec2(int(i % width), int(i / width));
    vec4 meshPoint;
    vec3 sampleColour;
    vec3 sampleNormal;
    particleSample(i, tc, meshPoint, sampleColour, sampleNormal);

    float visible = 1.0;
    vec3 target = particleTarget(meshPoint.xyz, i, visible);
#ifndef PARTICLE_OWN_VISIBILITY
    // Texels no scatter reached hold zeros: those particles stay hidden. (A shader that
    // draws from several sample sets defines PARTICLE_OWN_VISIBILITY and decides itself.)
    if (dot(meshPoint.xyz, meshPoint.xyz) < 1e-12) visible = 0.0;
#endif

    vec4 vel = velocities[i];
    vec4 state = states[i];
    bool fresh = state.w != kInitMark || any(isnan(vel)) || any(isinf(vel)) ||
                 any(isnan(state)) || any(isinf(state));
#ifdef PARTICLE_REBASE
    // The including shader moved this particle's target in one go (a new sample set): the
    // offset takes up the jump, so the particle starts from where it stood and travels.
    // bool particleRebase(uint i) says when.
    if (!fresh && particleRebase(i)) state.xyz = positions[i].xyz - target;
#endif
#ifdef PARTICLE_SCENE_CLOCK_STEP
    // The step is the scene time since this particle last moved (kept in the velocity's w in
    // place of the age), not the frame's step: drawn only every n-th frame (a capture without
    // its pre-roll), each particle still travels as far as it would in the show. The age
    // passed on is that time. When the clock went back (a restart), the frame's step serves.
    float stepSeconds = fresh ? 0.0 : (ttime >= vel.w ? min(ttime - vel.w, 10.0) : DeltaT);
    float age = stepSeconds;
#else
    float stepSeconds = DeltaT;
    float age = fresh ? 0.0 : vel.w + DeltaT;
#endif
    vec2 cellUV = (vec2(tc) + 0.5) / float(width) * 0.61 + vec2(0.13, 0.29);
    float cell = texture(VoronoiTexture, cellUV).r;
    // Each particle feels the field a little way from its target, so a patch that is blown
    // off spreads into a plume instead of moving as one slab.
    vec3 probe = target + (vec3(hash1(i, 41u), hash1(i, 42u), hash1(i, 43u)) - 0.5) * 1.2;
    vec3 goal = flowAt(probe) * particleTurbulence(age, cell, i) +
                particleScatter(target, i) * particleGather(target, i);
    if (fresh) {
        vel = vec4(0.0);
        state = vec4(goal, kInitMark);
    }
    float k = 1.0 - exp(-particleChaseRate(age, i) * stepSeconds);
    vec3 offset = mix(state.xyz, goal, k);
    vec3 v = stepSeconds > 0.0 ? (offset - state.xyz) / stepSeconds : vel.xyz;
    vec3 next = target + offset;

    positions[i] = vec4(next, visible);
#ifdef PARTICLE_SCENE_CLOCK_STEP
    velocities[i] = vec4(v, ttime);
#else
    velocities[i] = vec4(v, age);
#endif
    states[i] = vec4(offset, kInitMark);

    vec4 colour = particleColour(sampleColour, sampleNormal, target, length(v), age, i);
    imageStore(ColourImage, tc, colour);
}

void main() {
    uint width = uint(Invocation);
    uint count = width * width;
    uvec2 span = gl_NumWorkGroups.xy * gl_WorkGroupSize.xy;
    uint stride = span.x * span.y;
    if (stride == 0u) return;
    for (uint i = gl_GlobalInvocationID.y * span.x + gl_GlobalInvocationID.x; i < count; i += stride)
        stepParticle(i, width);
}
