// Where the forest clearing puts things, shared by its compute, material and smog shaders.
// World units are metres, y up; the camera looks into the clearing from +z.

// The tree builder works in its own units (trunks about 2.2 long, at x = -2 and 2); the
// world shows the trees twice that size, so they stand about 7 m tall, 8 m apart.
const float kTreeScale = 2.0;

// The standing figures (particles) wait between the two trees, a little behind them. Their
// mesh is made at about 2.4 times life size (about 4 m tall, 14 m across), for the scatter's
// budget; the world shows them at life size.
const float kStandingScale = 0.42;
const vec3 kStandingOffset = vec3(0.0, 0.0, -2.8);

// The night clearing's palette: the haze the distance fades into, the moss accent.
const vec3 kForestHaze = vec3(0.075, 0.085, 0.095);
const vec3 kMoss = vec3(0.55, 0.78, 0.52);

// The moon stands low behind the clearing, to the left: shadows fall toward the camera.
const vec3 kMoonDir = vec3(-0.3, 0.3, -0.9);
