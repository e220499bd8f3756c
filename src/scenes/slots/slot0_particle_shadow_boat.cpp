// Slot 0: Part_ParticleShadowBoat.
#include "scenes/particles/part_particle_shadow_boat.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot0() { return new Part_ParticleShadowBoat(); }
