// Where the depth-camera scene puts things, shared by its compute and point shaders. The
// camera stands at (0, 0, 3) looking at the origin with a 45 degree field of view, so the
// picture spans about 4.4 x 2.5 units at z = 0.

// The plate with the group's mark (4.9 x 2.6 in its file), centred on the origin, facing
// the camera.
const float kPlateScale = 0.72;
const float kPlateHalfWidth = 1.76;    // of the placed plate

// The title "VELLUNA": its samples are centred on the origin, 11.5 x 1.8 in its file; here
// it is made kTitleScale times that and set a little in front of the plate's place.
const float kTitleScale = 0.26;
const vec3 kTitlePlace = vec3(0.0, 0.02, 0.25);
const float kTitleHalfWidth = 1.5;     // of the placed title, for the left-to-right sweep

vec3 titleFromSamples(vec3 p) { return p * kTitleScale + kTitlePlace; }

// The recording's picture as a relief: its image spans kStageSize world units, centred on
// kStageCentre; a pixel's depth (millimetres / 256) sets how far it stands out.
const vec2 kStageSize = vec2(3.2, 2.4);
const vec2 kStageCentre = vec2(0.0, -0.1);
// Depths below kFigureFar are the person (the cabinet's front stands at 10.74, the wall at
// 12.9, the floor nearest the camera at about 11.1); 0 means the camera saw nothing.
const float kFigureNear = 1.0;
const float kFigureFar = 10.6;

vec2 stageUV(vec2 xy) { return (xy - kStageCentre) / kStageSize + 0.5; }
vec2 stageXY(vec2 uv) { return (uv - 0.5) * kStageSize + kStageCentre; }
bool onStage(vec2 uv) { return all(greaterThanEqual(uv, vec2(0.0))) && all(lessThan(uv, vec2(1.0))); }
bool isFigure(float depth) { return depth > kFigureNear && depth < kFigureFar; }
// Nearer is further forward: 2 m stands at z = 0.4, 2.7 m at z = 0.
float reliefZ(float depth) { return (10.55 - depth) * 0.15; }

// The rain: a slab of drops over the whole picture, falling from above its top edge to
// below its bottom edge.
const float kRainHalfWidth = 2.75;
const float kRainTop = 1.8;
const float kRainSpan = 3.6;
const float kRainNear = 0.75;
const float kRainFar = -0.9;
