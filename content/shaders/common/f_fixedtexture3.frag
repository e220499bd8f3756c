#version 430 compatibility
// The rainbow scene's backdrop pictures through "MyTexture" (loaded without a red/blue swap,
// so the channels are swizzled back), by "object": 0 the fog gradient far behind, darkened
// to night; 1 the city skyline, its lights added and glowing; 2 the moon, added and glowing.
uniform sampler2D MyTexture;
uniform float ttime;
uniform float object;

in vec4 vColor;
in vec2 vTexCoord;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 c = texture(MyTexture, vTexCoord).bgr * vColor.rgb;
    float glow = 0.0;
    if (object < 0.5) {
        c *= 0.35;
    } else if (object < 1.5) {
        c *= 1.1;
        glow = clamp(dot(c, vec3(0.333)) * 1.5, 0.0, 0.6);
    } else {
        c *= 0.92 + 0.08 * sin(ttime * 0.7);
        glow = clamp(dot(c, vec3(0.333)), 0.0, 0.8);
    }
    outColour = vec4(c, vColor.a);
    outNormal = vec4(0.5, 0.5, 1.0, 0.0);
    outMaterial = vec4(glow, 0.0, 0.0, 0.0);
}
