#version 430 compatibility
// Low mist over water: drifting banks of noise, tinted by "MyTexture" (a foggy picture), thin
// near the camera and at the sheet's far edge, following the camera's sway a little
// ("RePosX", "RePosY"). Blended by the caller.
#include "noise.glsl"
#include "lighting.glsl"

in vec3 vWorld;
in vec2 vTexCoord;
in vec4 vColor;

uniform sampler2D MyTexture;
uniform float ttime;
uniform float height;       // the view's height in pixels
uniform vec3 resolution;
uniform float PosY;
uniform float RePosX;
uniform float RePosY;

void main() {
    vec2 drift = vec2(RePosX, RePosY) * 2000.0 + vec2(ttime * 0.06, ttime * 0.025);
    vec2 p = vWorld.xz * vec2(0.22, 0.3) + drift;
    float banks = fbm2(p) * 0.7 + fbm2(p * 3.1 + vec2(ttime * 0.05, 0.0)) * 0.3;
    float density = smoothstep(0.32, 0.8, banks);
    // The sheets' own edges and the camera's nearness fade the mist out.
    float dist = length(vWorld.xz - vec2(7.0, 0.0));
    float nearFade = smoothstep(1.5, 6.0, dist);
    float edgeFade = 1.0 - smoothstep(0.75, 1.0, max(abs(vTexCoord.x * 2.0 - 1.0), vTexCoord.y));
    vec3 tint = texture(MyTexture, vec2(vTexCoord.x * 2.0, 0.68)).rgb;
    vec3 c = mix(kHaze * 2.2, tint * 1.4 + kHaze, 0.5) * vColor.rgb;
    float alpha = density * 0.32 * nearFade * edgeFade * vColor.a;
    gl_FragColor = vec4(c, alpha);
}
