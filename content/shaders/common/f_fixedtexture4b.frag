#version 430 compatibility
// The park's sky cube, drawn additively over the scan: the night sky image tinted by the
// vertex colour. It opens slowly from scene time 47.55 and only above the horizon, so the
// stars come out over the statue instead of washing over the ground. Only the colour
// output gets light; the normal and material outputs get nothing added.
uniform sampler2D MyTexture;
uniform float ttime;
uniform float height;   // the view's height in pixels

in vec4 vColor;
in vec2 vTexCoord;
in vec3 vLocal;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 sky = texture(MyTexture, vTexCoord).rgb;   // the sky box loads with red and blue swapped back
    vec3 dir = normalize(vLocal);
    float above = smoothstep(0.02, 0.35, dir.y);
    float open = smoothstep(47.55, 50.0, ttime);
    outColour = vec4(sky * vColor.rgb * above * open * 0.9, 0.0);
    outNormal = vec4(0.0);
    outMaterial = vec4(0.0);
}
