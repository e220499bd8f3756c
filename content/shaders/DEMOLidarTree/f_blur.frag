#version 430 compatibility
// The quarter-size glow source: two rings of taps, the inner tight and the outer wide, so
// that scan points bloom softly and the bright marble and gold carry a wider halo.
in vec2 vUV;

uniform sampler2D Texture1;
uniform float ttime;

void main() {
    vec2 texel = 1.0 / vec2(textureSize(Texture1, 0));
    float aspect = texel.y / texel.x;
    vec3 sum = vec3(0.0);
    float weight = 0.0;
    for (int ring = 0; ring < 2; ++ring) {
        float radius = ring == 0 ? 0.008 : 0.024;
        float w = ring == 0 ? 1.0 : 0.6;
        for (int i = 0; i < 12; ++i) {
            float a = float(i) * 0.5235988 + float(ring) * 0.2618;
            vec4 s = texture(Texture1, vUV + vec2(cos(a) / aspect, sin(a)) * radius);
            sum += s.rgb * s.a * w;
            weight += w;
        }
    }
    vec4 centre = texture(Texture1, vUV);
    sum += centre.rgb * centre.a * 2.0;
    weight += 2.0;
    gl_FragColor = vec4(sum / weight, 1.0);
}
