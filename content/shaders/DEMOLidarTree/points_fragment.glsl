// The fragment stage of every scan-point program: a small point of the vertex stage's
// colour, with its glow for the post passes; alpha 0 marks it drawn (see lidar_tree.glsl).
// Needs lidar_tree.glsl first.
in vec3 vColour;
in float vGlow;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    // Small points with rounded corners and no dark rim: neighbours join into a surface
    // instead of a pattern of rings; the eye-dome pass does the shaping.
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    if (dot(d, d) > 1.6) discard;
    outColour = vec4(vColour, 0.0);
    outNormal = vec4(0.5, 0.5, 1.0, 1.0);
    outMaterial = vec4(vGlow, kKindPoint, 0.0, 1.0);
}
