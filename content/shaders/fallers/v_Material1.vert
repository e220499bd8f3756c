// Built with the scene but not drawn with: the particle-shadow scene's material program.
#include "../ParticleShadow/v_Material1.vert"
