// Where the particle-shadow scene puts things, shared by its compute and material shaders.

// The statue samples come out of the mesh cache at 2500 x the file's size, the drawn statue
// at 50 x (the cache keeps the samples' scale of 50 and the reader applies it again). Both
// are brought to the same statue, kStatueHeight world units tall, standing at kStatueBase
// and turned from facing +z to facing the camera (+x).
const float kStatueSampleHeight = 11.0;   // agalma3's height as the samples see it
const float kStatueHeight = 4.6;
const float kStatueSampleScale = kStatueHeight / kStatueSampleHeight;
const float kStatueDrawnScale = kStatueSampleScale * 50.0;
const vec3 kStatueBase = vec3(-3.5, 0.0, 0.0);

// A quarter turn about y: +z onto +x.
vec3 turnToCamera(vec3 p) { return vec3(p.z, p.y, -p.x); }

vec3 statueFromSamples(vec3 p) { return kStatueBase + turnToCamera(p * kStatueSampleScale); }

// island.objb is drawn at its file's size times this.
const float kIslandScale = 1.0;
