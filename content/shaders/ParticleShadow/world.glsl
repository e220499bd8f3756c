// Where the particle-shadow scene puts things, shared by its compute and material shaders.

// The statue samples come out of the mesh cache at 2500 x the file's size, the drawn statue
// at 50 x (the cache keeps the samples' scale of 50 and the reader applies it again). Both
// are brought to the same statue, kStatueHeight world units tall, standing at kStatueBase
// and turned from facing +z to facing the camera (+x).
const float kStatueSampleHeight = 9.4;    // agalma3's height as the samples see it
const float kStatueHeight = 6.0;
const float kStatueSampleScale = kStatueHeight / kStatueSampleHeight;
const float kStatueDrawnScale = kStatueSampleScale * 50.0;
const vec3 kStatueBase = vec3(-2.0, 0.0, 0.0);

// A quarter turn about y: +z onto +x.
vec3 turnToCamera(vec3 p) { return vec3(p.z, p.y, -p.x); }

vec3 statueFromSamples(vec3 p) { return kStatueBase + turnToCamera(p * kStatueSampleScale); }

// island.objb is made for the scenes' "Local" scale of 100 (about 23 x 1.7 units then).
const float kIslandScale = 100.0;
