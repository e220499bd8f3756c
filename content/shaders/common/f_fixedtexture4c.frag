#version 430 compatibility
#include "noise.glsl"
// The sky cube's light, added over the scene where nothing has been drawn: the night-sky
// image (the shared sky box, loaded in red-green-blue order) tinted by the vertex colour,
// strongest overhead and gone below the horizon, with a slow twinkle. It writes nothing into
// the other outputs.
uniform sampler2D MyTexture;
uniform float ttime;
uniform float height;   // picture height in pixels

in vec4 vColor;
in vec2 vTexCoord;
in vec3 vDirection;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 dir = normalize(vDirection);
    vec3 sky = texture(MyTexture, vTexCoord).rgb;
    float up = smoothstep(-0.02, 0.25, dir.y);
    // The image is a faint veil (its glow and clouds); magnified it would turn its stars into
    // discs, so the stars are fine points of our own, one in a few hundred cells of the sky.
    vec2 cellPos = vec2(atan(dir.z, dir.x) * 260.0 * (height / 720.0), dir.y * 420.0 * (height / 720.0));
    vec2 cell = floor(cellPos);
    float star = step(0.988, hash12(cell)) * smoothstep(0.45, 0.05, length(fract(cellPos) - 0.5));
    float twinkle = 0.65 + 0.35 * sin(ttime * 2.3 + hash12(cell + 5.0) * 40.0);
    vec3 c = (sky * 0.18 * vColor.rgb + vec3(0.8, 0.84, 0.95) * star * twinkle * 0.9) * up;
    outColour = vec4(c, 0.0);
    outNormal = vec4(0.0);
    outMaterial = vec4(0.0);
}
