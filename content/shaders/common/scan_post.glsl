// The scan scenes' occlusion pass: the points darkened where the depth buffer says they sit
// in a hollow, hazed by distance and graded; behind them the night. Alpha carries how much of
// the pixel glows. The including shader defines scanBackground(uv) before this file.
// Needs noise.glsl, lighting.glsl, post.glsl and scan.glsl first.

in vec2 vUV;

uniform sampler2D Texture1;      // colour
uniform sampler2D Texture2;      // packed normal
uniform sampler2D Texture3;      // x glow, y scan, z occlusion weight
uniform sampler2D TextureDepth;
uniform float ttime;

vec3 scanBackground(vec2 uv, vec2 resolution);

// How strongly the eye-dome shading darkens edges and creases.
const float kScanEyeDome = 0.55;

void main() {
    vec2 resolution = vec2(textureSize(TextureDepth, 0));
    vec2 texel = 1.0 / resolution;
    // The neighbour ring grows with the picture, so 640 x 360 and 1280 x 720 look alike.
    float radius = max(1.0, resolution.y / 360.0) * 1.4;
    float d = texture(TextureDepth, vUV).r;
    vec3 c;
    if (d >= 0.99999) {
        c = scanBackground(vUV, resolution);
        // A gap inside a surface takes its neighbours' colour, a little darker; where only half
        // the neighbours hold points (sparse far surfaces, the rim of a silhouette) it leans
        // towards them without quite taking their colour.
        int covered = 0;
        for (int i = 0; i < 8; ++i) {
            float a = float(i) * 0.78539816;
            covered += texture(TextureDepth, vUV + vec2(cos(a), sin(a)) * texel * radius).r < 0.99999 ? 1 : 0;
        }
        if (covered >= 4) c = mix(c, scanGapFill(Texture1, TextureDepth, vUV, texel, radius) * 0.75, covered >= 6 ? 1.0 : 0.6);
    } else {
        vec3 colour = texture(Texture1, vUV).rgb;
        vec4 material = texture(Texture3, vUV);
        float z = scanLinearDepth(d);
        float ao = scanOcclusion(TextureDepth, vUV, resolution, z, 0.0012);
        int covered;
        float edl = scanEyeDome(TextureDepth, vUV, texel, d, kScanNear, kScanFar, radius, kScanEyeDome, covered);
        // Far away the shading fades with the haze, so the horizon does not crawl.
        edl = mix(1.0, edl, exp(-max(z - 0.02, 0.0) / 0.05));
        c = colour * mix(1.0, ao, material.z * 0.6) * mix(0.45, 1.0, edl);
    }
    c = grade(c);
    gl_FragColor = vec4(c, smoothstep(0.6, 1.0, luma(c)) * 0.8);
}
