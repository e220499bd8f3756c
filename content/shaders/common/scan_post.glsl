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

void main() {
    vec2 resolution = vec2(textureSize(TextureDepth, 0));
    float d = texture(TextureDepth, vUV).r;
    vec3 c;
    if (d >= 0.99999) {
        c = scanBackground(vUV, resolution);
    } else {
        vec3 colour = texture(Texture1, vUV).rgb;
        vec4 material = texture(Texture3, vUV);
        float z = scanLinearDepth(d);
        float ao = scanOcclusion(TextureDepth, vUV, resolution, z, 0.0012);
        c = colour * mix(1.0, ao, material.z);
    }
    c = grade(c);
    gl_FragColor = vec4(c, smoothstep(0.6, 1.0, luma(c)) * 0.8);
}
