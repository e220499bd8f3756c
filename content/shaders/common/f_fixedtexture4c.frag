#version 430 compatibility
// The sky cube's light, added over the scene: the night-sky image (its red and blue channels
// come swapped and are turned back) tinted by the vertex colour, strongest overhead and gone
// below the horizon, with a slow twinkle. It writes nothing into the other outputs.
uniform sampler2D MyTexture;
uniform float ttime;
uniform float height;   // picture height in pixels

in vec4 vColor;
in vec2 vTexCoord;
in vec3 vDirection;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 dir = normalize(vDirection);
    vec3 sky = texture(MyTexture, vTexCoord).bgr;
    float up = smoothstep(-0.02, 0.25, dir.y);
    // Stars are the image's brightest specks: keep them, damp the rest.
    float l = dot(sky, vec3(0.3, 0.55, 0.15));
    float star = smoothstep(0.35, 0.8, l);
    float twinkle = 0.75 + 0.25 * sin(ttime * 3.1 + dot(vTexCoord, vec2(917.0, 613.0)) * (height / 720.0));
    vec3 c = (sky * 0.35 + sky * star * 1.2 * twinkle) * vColor.rgb * up;
    outColour = vec4(c, 0.0);
    outNormal = vec4(0.0);
    outMaterial = vec4(0.0);
}
