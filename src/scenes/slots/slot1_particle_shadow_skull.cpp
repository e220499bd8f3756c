// Slot 1: Part_ParticleShadowSkull.
#include "scenes/particles/part_particle_shadow_skull.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot1() { return new Part_ParticleShadowSkull(); }
