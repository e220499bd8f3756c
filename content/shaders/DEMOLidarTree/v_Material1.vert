#version 430 compatibility
// The walkers and standing figures (dark silhouettes, "IsBlack" 1), and the bake of the
// scanned landscape ("IsBlack" 0), which writes each fragment's position. In the bake "MV"
// carries projection and view together and the fixed projection is the identity.
layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;
uniform float IsReflection;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vViewNormal;
out vec3 vColour;
out float vDist;

void main() {
    vec4 world = Local * vec4(inPosition, 1.0);
    vec3 normal = mat3(Local) * inNormal;
    if (IsReflection > 0.5) {
        world.y = -world.y;
        normal.y = -normal.y;
    }
    vec4 eye = MV * world;
    vWorld = world.xyz;
    vNormal = normal;
    vViewNormal = mat3(MV) * normal;
    vColour = inColour;
    vDist = length(eye.xyz);
    gl_Position = gl_ProjectionMatrix * eye;
}
