#version 430 compatibility
// The statue and the island, each drawn in several roles ("object"), and mirrored below the
// ground for "Refl" = 1. The meshes' own sizes differ from the world's; each role places its
// mesh itself, so "Local" only carries the scene's base scale.
#include "../common/noise.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;
uniform mat4 LightMVP;
uniform float ttime;
uniform float object;
uniform float Refl;
uniform float IsShadow;
uniform float PosY;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vColour;
out vec3 vMesh;
flat out int vRole;

#include "world.glsl"

mat3 yaw(float a) {
    float c = cos(a), s = sin(a);
    return mat3(c, 0.0, -s, 0.0, 1.0, 0.0, s, 0.0, c);
}

// Where each role puts its mesh: scale, turn and place.
void placeRole(int role, out float scale, out mat3 turn, out vec3 offset) {
    scale = 1.0;
    turn = mat3(1.0);
    offset = vec3(0.0);
    if (role <= 1) {                  // the colossus far behind, in the haze
        scale = kColossusDrawnScale;
        turn = yaw(1.2);
        offset = vec3(-95.0, -1.0, -22.0);
    } else if (role == 2) {           // the statue itself, where its particles gather
        scale = kStatueDrawnScale;
        turn = yaw(1.5707963);        // the same quarter turn as turnToCamera
        offset = kStatueBase;
    } else if (role == 3) {           // low rocky islands along the horizon
        scale = kIslandScale * 3.0;
        offset = vec3(-115.0, -0.5, 12.0);
    } else if (role == 4) {
        scale = kIslandScale * 2.0;
        turn = yaw(2.1);
        offset = vec3(-85.0, -0.4, -42.0);
    } else if (role == 5) {
        scale = kIslandScale * 1.5;
        turn = yaw(4.0);
        offset = vec3(-62.0, -0.3, 36.0);
    } else {                          // a reef closer in
        scale = kIslandScale;
        turn = yaw(0.7);
        offset = vec3(-34.0, -0.3, -16.0);
    }
}

void main() {
    int role = int(object + 0.5);
    float scale;
    mat3 turn;
    vec3 offset;
    placeRole(role, scale, turn, offset);
    vec3 world = turn * (inPosition * scale) + offset;
    vec3 normal = turn * inNormal;
    world.y += PosY;
    if (Refl > 0.5) {
        world.y = -world.y;
        normal.y = -normal.y;
    }
    vWorld = world;
    vNormal = normal;
    vColour = inColour;
    vMesh = inPosition * scale;
    vRole = role;
    gl_Position = MV * vec4(world, 1.0);
}
