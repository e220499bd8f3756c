// Built with the scene but not drawn with: the particle-shadow scene's material program.
#include "../ParticleShadow/f_Material1.frag"
