// Where the park scene's statue stands, shared by its compute and point shaders. The
// particles live in metres around the statue's foot (so the flow field moves them at the
// scale it was made for); the point shader places them in the scan's scene units.

// agalma2 is about 90 file units tall; the statue stands 5.2 m on the fountain's pedestal.
const float kStatueSampleScale = 5.2 / 90.0;
const vec3 kStatueBaseUnits = vec3(0.0, 0.00172, 0.0);
const float kStatueHeightMetres = 5.2;

vec3 statueToScene(vec3 metres) { return kStatueBaseUnits + metres * 0.001; }
