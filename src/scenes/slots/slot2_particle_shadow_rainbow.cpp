// Slot 2: Part_ParticleShadowRainbow.
#include "scenes/particles/part_particle_shadow_rainbow.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot2() { return new Part_ParticleShadowRainbow(); }
