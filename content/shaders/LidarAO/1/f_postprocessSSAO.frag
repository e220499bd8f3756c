// The composite, as every scene of the show makes it.
#include "../../ParticleShadow/1/f_postprocessSSAO.frag"
