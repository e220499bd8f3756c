// Particle points, as the park scene draws its statue.
#include "../LidarAO/v_particles.vert"
