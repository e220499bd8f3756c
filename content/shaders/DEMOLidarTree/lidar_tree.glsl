// The closing scene's shared look: how a scan point is shaded from its occlusion term, the
// night haze of the scan, and what the scene writes into its third colour output
// (x glow, y kind of surface) for the post passes. Needs noise.glsl, lighting.glsl and
// scan.glsl first.
//
// NOTE: everything the scene pass draws writes alpha 0 into its colour output, over the
// clear's alpha of 1: the sky cube, drawn late without depth testing, adds its light only
// where alpha is still 1 (blend factor GL_DST_ALPHA), so stars never show through the scan.

const float kSceneNear = 0.1;
const float kSceneFar = 1000.0;

// Kinds of surface in the material output's y.
const float kKindSky = 0.0;
const float kKindPoint = 0.25;
const float kKindSilhouette = 0.5;
const float kKindMarble = 0.75;
const float kKindFloral = 1.0;

// Eye-space distance of a depth-buffer value of the scene camera.
float sceneDepth(float d) {
    return kSceneNear * kSceneFar / (kSceneFar - d * (kSceneFar - kSceneNear));
}

// A scan point, shaded as the other scan scenes shade theirs (scanShade: dark where shut in,
// warm white where open), a little cooler high up; the far points sink into the haze. This
// scene works in metres, so the haze is its own.
vec3 scanColour(float occlusion, float height, float dist, float hazeDensity) {
    vec3 c = scanShade(occlusion) * 1.15;
    c = mix(c, c * vec3(0.9, 0.96, 1.05), smoothstep(1.0, 7.0, height));
    return applyHaze(c, dist, hazeDensity);
}

// Point size in pixels for a point `dist` away, for a picture `screenHeight` pixels high;
// close up it stops at about two thirds of a percent of the picture's width.
float treePointSize(float dist, float screenHeight, float scale) {
    float s = screenHeight / 720.0;
    return clamp(scale * s * 8.0 / max(dist, 0.3), 1.0, 7.0 * s + 1.0);
}
