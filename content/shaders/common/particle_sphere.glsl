// Soft round points: each point is shaded as a small sphere, edges fall off. The fragment
// half of particle_points.glsl; include after lighting.
in vec3 vColour;
in float vShadow;
in float vDepth;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    float r2 = dot(d, d);
    if (r2 > 1.0) discard;
    vec3 n = vec3(d.x, -d.y, sqrt(1.0 - r2));
    float rim = 0.72 + 0.28 * n.z;
    vec3 c = vColour * rim * vShadow;
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, 1.0, 0.25, 1.0);   // x glow, y particle, z occlusion weight
}
