// Where the boat scene puts its sample sets in the world, and its time marks. The scene's C++
// side places the eyes' stare and the island by the same numbers (particle_shadow_boat_*.h).

const float kHeadsFrom = 35.0;        // the heads set replaces the boat from here on
// The car's windows: it forms from kCarIn, and gives the boat back from kCarOut.
const float kCarIn1 = 14.0;
const float kCarOut1 = 18.2;
const float kCarIn2 = 27.0;
const float kCarOut2 = 31.0;

// The meshes come out of the scatter at the sizes their area budgets gave them; these bring
// them to one world: the boat and the car about 4.4 units long, bow toward -z, at the origin;
// the heap about 4.1 units across and 3.2 high; the eyes 0.65 units apart, looking toward +x,
// set into the heap's flank among the heads (its surface there is about 1 from the middle),
// so they stare out of the heap rather than float above it.
const float kBoatScale = 0.6;
const float kCarScale = 0.74;
const float kHeadsScale = 0.33;
const float kEyesScale = 2.2;
const vec3 kEyesCentre = vec3(1.05, 1.6, 0.0);
const float kWaterTop = 0.09;         // boat-scene points below this are the water

vec3 boatWorld(vec3 p) { return p * kBoatScale; }
vec3 carWorld(vec3 p) { return p * kCarScale; }
vec3 headsWorld(vec3 p) { return p * kHeadsScale; }
// The eyes look along +z in their file: a quarter turn makes them look along +x.
vec3 eyesWorld(vec3 p) { return kEyesCentre + vec3(p.z, p.y, -p.x) * kEyesScale; }

// An eye's colour at world point p: white, a grey-blue iris, a black pupil facing +x.
vec3 eyeColour(vec3 p) {
    vec3 local = p - kEyesCentre;
    float side = local.z > 0.0 ? 1.0 : -1.0;
    vec3 centre = vec3(0.0, 0.0, side * 0.325);
    vec3 d = normalize(p - kEyesCentre - centre);
    float r = length(d.yz);
    if (d.x > 0.0 && r < 0.2) return vec3(0.02);
    if (d.x > 0.0 && r < 0.5) {
        float streak = 0.5 + 0.5 * sin(atan(d.y, d.z) * 23.0);
        return mix(vec3(0.25, 0.36, 0.45), vec3(0.5, 0.62, 0.66), streak);
    }
    return vec3(0.92, 0.9, 0.86);
}
