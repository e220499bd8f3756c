#version 430 compatibility
// A glowing picture (the moon): "MyTexture" tinted by the vertex colour, with a slow, faint
// breathing of its light as if through thin cloud. Written to every colour attachment, so it
// also marks itself to glow in the post chain.
uniform sampler2D MyTexture;
uniform float ttime;

in vec4 vColor;
in vec2 vTexCoord;
in vec3 vWorld;

void main() {
    vec3 c = texture(MyTexture, vTexCoord).rgb * vColor.rgb;
    c *= 0.92 + 0.08 * sin(ttime * 0.7);
    gl_FragColor = vec4(c, vColor.a);
}
