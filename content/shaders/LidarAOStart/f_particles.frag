// Particle points, as the park scene draws its statue.
#include "../LidarAO/f_particles.frag"
