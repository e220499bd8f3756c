#version 430 compatibility
// The plain material's colour: the show's key and fill light on the mesh's own colour.
#include "common/lighting.glsl"

in vec3 vNormal;
in vec3 vColour;

void main() {
    gl_FragColor = vec4(vColour * keyFill(normalize(vNormal)), 1.0);
}
