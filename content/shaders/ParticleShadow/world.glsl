// Where the particle-shadow scene puts things, shared by its compute and material shaders.

// The statue samples come out of the mesh cache at 2500 x the file's size, the drawn statue
// at 50 x (the cache keeps the samples' scale of 50 and the reader applies it again). Both
// are brought to the same statue, kStatueHeight world units tall, standing at kStatueBase
// and turned from facing +z to facing the camera (+x). It is the scene's payoff: the crowds
// pass before its plinth and it rises well above them, its raised hand near the top of the
// picture (the camera at x = 13 sees up to about y = 8 at the statue's distance).
const float kStatueSampleHeight = 8.6;    // agalma3's height as the samples see it
const float kStatueHeight = 7.4;
const float kStatueSampleScale = kStatueHeight / kStatueSampleHeight;
const float kStatueDrawnScale = kStatueSampleScale * 50.0;
const vec3 kStatueBase = vec3(-1.5, 0.0, 0.0);
// The colossus far behind in the haze: 36 world units tall, whatever the statue's size.
const float kColossusDrawnScale = 36.0 / kStatueSampleHeight * 50.0;

// A quarter turn about y: +z onto +x.
vec3 turnToCamera(vec3 p) { return vec3(p.z, p.y, -p.x); }

vec3 statueFromSamples(vec3 p) { return kStatueBase + turnToCamera(p * kStatueSampleScale); }

// island.objb is made for the scenes' "Local" scale of 100 (about 23 x 1.7 units then).
const float kIslandScale = 100.0;
