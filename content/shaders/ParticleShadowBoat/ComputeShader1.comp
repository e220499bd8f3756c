#version 430 compatibility
// The boat scene's one system of 2560 x 2560 particles. Before scene time 35 particle i is
// texel i of the boat scene (the rowing boat and the water around it); at the car's windows
// it moves to a texel of the car instead. From 35 the heads set is bound in the boat's place:
// the particles travel from wherever they stood into the heap of heads, and the first
// 512 x 512 of them into the pair of eyes that floats above it.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#define PARTICLE_OWN_VISIBILITY
#define PARTICLE_REBASE
#define PARTICLE_SCENE_CLOCK_STEP
#include "../common/particle_step.glsl"
#include "boat_world.glsl"

uniform sampler2D OriginalPositionTextureCar;
uniform sampler2D OriginalColorTextureCar;
uniform sampler2D OriginalPositionTextureEyes;
uniform sampler2D BoatTexture2;
uniform sampler2D WoodTexture2;

const uint kGridCount = 2560u * 2560u;
const uint kEyesWidth = 512u;
const uint kEyesCount = kEyesWidth * kEyesWidth;

bool headsTime() { return ttime >= kHeadsFrom; }

// Texel i of the car, taken in a shuffled order (613 is prime to 2560 x 2560, so this is a
// one-to-one map): the particles of any part of the boat spread over the whole car.
ivec2 carTexel(uint i) {
    uint j = (i * 613u) % kGridCount;
    return ivec2(int(j % 2560u), int(j / 2560u));
}

// How far particle i has gone over to the car: the car's two windows, begun at the bow and
// spreading to the stern, each particle a little late or early.
float carAmount(vec3 boatPoint, uint i) {
    float lag = hash1(i, 61u) * 0.5 + clamp((boatPoint.z + 3.0) / 6.0, 0.0, 1.0) * 0.5;
    float x = ttime - lag;
    float first = smoothstep(kCarIn1, kCarIn1 + 1.4, x) * (1.0 - smoothstep(kCarOut1, kCarOut1 + 1.2, x));
    float second = smoothstep(kCarIn2, kCarIn2 + 1.4, x) * (1.0 - smoothstep(kCarOut2, kCarOut2 + 1.0, x));
    return first + second;
}

bool isWater(vec3 boatPoint) { return boatPoint.y < kWaterTop; }

// What particle i stands for this step, found by particleTarget for particleColour.
const int kRoleBoat = 0;
const int kRoleWater = 1;
const int kRoleCarOnly = 2;
const int kRoleHeads = 3;
const int kRoleEyes = 4;
int gRole = kRoleBoat;
float gCar = 0.0;        // how far it has gone over to the car
float gSink = 0.0;       // how far a boat particle without a car sample has sunk
ivec2 gCarTexel = ivec2(0);

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    bool has = dot(meshPoint, meshPoint) > 1e-12;
    if (headsTime()) {
        if (i < kEyesCount) {
            vec3 e = texelFetch(OriginalPositionTextureEyes, ivec2(int(i % kEyesWidth), int(i / kEyesWidth)), 0).xyz;
            visible = dot(e, e) > 1e-12 ? 1.0 : 0.0;
            gRole = kRoleEyes;
            return eyesWorld(e);
        }
        visible = has ? 1.0 : 0.0;
        gRole = kRoleHeads;
        return headsWorld(meshPoint);
    }
    gCarTexel = carTexel(i);
    vec3 carSample = texelFetch(OriginalPositionTextureCar, gCarTexel, 0).xyz;
    bool hasCar = dot(carSample, carSample) > 1e-12;
    vec3 boatPoint = boatWorld(meshPoint);
    vec3 carPoint = carWorld(carSample);
    float c = hasCar ? carAmount(boatPoint, i) : 0.0;
    gCar = c;
    if (has) {
        gRole = isWater(boatPoint) ? kRoleWater : kRoleBoat;
        visible = 1.0;
        if (hasCar) return mix(boatPoint, carPoint, c);
        // No car sample for this one: a boat particle sinks into the water while the car
        // stands; a water particle stays.
        float sink = gRole == kRoleBoat ? carAmount(boatPoint, i) : 0.0;
        gSink = sink;
        if (sink > 0.97) visible = 0.0;
        return mix(boatPoint, vec3(boatPoint.x, -0.05, boatPoint.z), sink);
    }
    gRole = kRoleCarOnly;
    if (hasCar) {
        // Only the car has a sample here: it rises out of the water as the car forms.
        c = carAmount(carPoint, i);
        gCar = c;
        visible = c > 0.02 ? 1.0 : 0.0;
        return mix(vec3(carPoint.x, -0.05, carPoint.z), carPoint, c);
    }
    visible = 0.0;
    return vec3(0.0);
}

// The first step at or after 35 (the velocity's w holds the time of the particle's last step).
bool particleRebase(uint i) { return ttime >= kHeadsFrom && velocities[i].w < kHeadsFrom; }

// The lead-in: the particles hang as a mist over the water and condense into the boat.
vec3 particleScatter(vec3 target, uint i) {
    float a = hash1(i, 21u) * 6.2831853;
    float r = 1.0 + 5.0 * sqrt(hash1(i, 22u));
    return vec3(cos(a) * r, 0.25 + 2.2 * hash1(i, 23u) * hash1(i, 28u), sin(a) * r * 0.8) - target;
}

float particleGather(vec3 target, uint i) {
    float lag = hash1(i, 24u) * 1.5 + clamp(target.y, 0.0, 2.0) * 0.8;
    return 1.0 - smoothstep(-2.0 + lag, 1.5 + lag, ttime);
}

float particleChaseRate(float age, uint i) {
    // After the boat gives way to the heads, they travel slowly: a dissolve of a few seconds.
    float travel = smoothstep(kHeadsFrom, kHeadsFrom + 5.0, ttime) * step(kHeadsFrom, ttime);
    float slow = 0.35 + 0.6 * hash1(i, 25u);
    float normal = 6.0 * (0.8 + 0.4 * hash1(i, 26u));
    return ttime >= kHeadsFrom ? mix(slow, normal, travel * travel) : normal;
}

float particleTurbulence(float age, float cell, uint i) {
    // Calm water; a stir while the boat and the car trade places; a swirl as the heads form;
    // now and then a gust that lifts a patch of particles off the heap while it forms. Once
    // the heads stand, the gusts only ruffle the heap's edge: stronger, they smear the faces.
    float trade = 0.0;
    if (!headsTime()) {
        trade = gCar * (1.0 - gCar) * 4.0;
    }
    float swirl = headsTime() ? 1.0 - smoothstep(kHeadsFrom, kHeadsFrom + 7.0, ttime) : 0.0;
    float gust = smoothstep(0.78, 0.95, valueNoise2(vec2(cell * 83.0, ttime * 0.35)));
    float headsGust = mix(0.35, 0.04, smoothstep(kHeadsFrom + 4.0, kHeadsFrom + 8.0, ttime));
    float calm = headsTime() ? mix(1.0, 0.3, smoothstep(kHeadsFrom + 4.0, kHeadsFrom + 8.0, ttime)) : 1.0;
    return 0.015 * calm + trade * 0.6 + swirl * 1.1 + gust * (headsTime() ? headsGust : 0.08);
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    float size = 0.8 + 0.4 * hash1(i, 27u);
    float key = clamp(dot(max(sampleNormal, vec3(0.0)), normalize(vec3(0.6, 0.7, 0.4))), 0.0, 1.0);
    vec3 c;
    if (gRole == kRoleEyes) {
        c = eyeColour(target);
        size = 0.7;
    } else if (gRole == kRoleHeads) {
        // Moonlight from high on the side the heads look to: brows, noses, cheekbones and
        // lips catch it, the undersides fall into shadow. The mesh's colour carries its
        // hollows (eye sockets, mouth, nostrils) darker, so they stay dark in any light.
        vec3 stone = texture(StoneTexture2, target.xy * 0.35 + target.zx * 0.2).bgr;
        float moon = clamp(dot(normalize(sampleNormal + vec3(0.0, 1e-4, 0.0)), normalize(vec3(0.55, 0.75, 0.35))), 0.0, 1.0);
        float hollow = clamp(dot(sampleColour, vec3(0.4)) / 0.95, 0.15, 1.0);
        c = mix(kPale, stone, 0.25) * hollow * hollow * (0.08 + 1.05 * pow(moon, 1.5));
        c *= 0.75 + 0.35 * clamp(target.y / 3.0, 0.0, 1.0);
        size = 0.55 + 0.25 * hash1(i, 27u);   // fine points, so the features stay sharp
    } else {
        vec3 painted = texture(BoatTexture2, target.zy * 0.45).bgr;
        vec3 grain = texture(WoodTexture2, target.zx * 0.6).bgr;
        vec3 boatColour = mix(kPale, sampleColour * mix(painted, grain, 0.5) * 1.6, 0.45) * (0.42 + 0.58 * key);
        if (gRole == kRoleWater) {
            // The water around the boat: dark, with the moon caught here and there.
            float sparkle = pow(valueNoise2(target.xz * vec2(2.0, 9.0) + vec2(ttime * 0.6, 0.0)), 6.0);
            float fade = 1.0 - smoothstep(2.5, 4.2, length(target.xz));
            boatColour = (vec3(0.035, 0.045, 0.065) + vec3(0.6, 0.58, 0.5) * sparkle) * fade;
            size = 0.5;
        }
        vec3 carColour = mix(kPale, texelFetch(OriginalColorTextureCar, gCarTexel, 0).rgb, 0.5);
        carColour *= 0.45 + 0.55 * clamp(target.y / 1.3, 0.0, 1.0);
        c = mix(boatColour, carColour, gCar) * (1.0 - 0.8 * gSink);
        // Hanging as mist before they gather, the particles are dim.
        c *= 1.0 - 0.6 * particleGather(target, i);
    }
    c += vec3(0.16, 0.11, 0.06) * clamp(speed * 0.12, 0.0, 1.0);   // moving particles glow warm
    return vec4(c, size);
}
