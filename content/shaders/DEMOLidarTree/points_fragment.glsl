// The fragment stage of every scan-point program: a soft round point of the vertex stage's
// colour, with its glow for the post passes; alpha 0 marks it drawn (see lidar_tree.glsl).
// Needs lidar_tree.glsl first.
in vec3 vColour;
in float vGlow;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    float a = roundPoint(gl_PointCoord);
    if (a < 0.2) discard;
    outColour = vec4(vColour * (0.6 + 0.4 * a), 0.0);
    outNormal = vec4(0.5, 0.5, 1.0, 1.0);
    outMaterial = vec4(vGlow, kKindPoint, 0.0, 1.0);
}
