// The quarter-size glow source: a wide disc blur of the bright parts of the picture (the
// occlusion pass writes how much of a pixel glows into its alpha). Include after noise,
// lighting and post.
in vec2 vUV;

uniform sampler2D Texture1;
uniform float ttime;

void main() {
    vec2 texel = 1.0 / vec2(textureSize(Texture1, 0));
    float radius = 0.018;
    float aspect = texel.y / texel.x;
    vec3 sum = vec3(0.0);
    float weight = 0.0;
    const int kTaps = 24;
    for (int i = 0; i < kTaps; ++i) {
        float f = (float(i) + 0.5) / float(kTaps);
        float a = float(i) * 2.39996;
        vec2 off = vec2(cos(a) / aspect, sin(a)) * radius * sqrt(f);
        vec4 s = texture(Texture1, vUV + off);
        float w = 1.0 - 0.6 * f;
        sum += s.rgb * s.a * w;
        weight += w;
    }
    gl_FragColor = vec4(sum / weight, 1.0);
}
