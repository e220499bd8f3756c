// What the climax programs (statues, the plate, the birds) pass from their vertex to their
// shared fragment stage.
const float kClimaxStatue = 0.0;
const float kClimaxBird = 1.0;
const float kClimaxPlate = 2.0;

// The climax's light comes from the camera's side, above and to the left, so the statues
// and the plate face the viewer lit.
const vec3 kClimaxKey = vec3(-0.45, 0.65, -0.62);

vec3 climaxLight(vec3 n) {
    float key = max(dot(n, normalize(kClimaxKey)), 0.0);
    float rim = max(dot(n, normalize(vec3(0.3, 0.2, 0.93))), 0.0);
    float sky = 0.5 + 0.5 * n.y;
    return vec3(1.0, 0.88, 0.72) * key * 0.95 + vec3(0.45, 0.55, 0.75) * rim * 0.45 + vec3(0.12, 0.13, 0.16) * sky;
}
