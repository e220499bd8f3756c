// Slot 5: Part_ParticleShadowForest.
#include "scenes/particles/part_particle_shadow_forest.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot5() { return new Part_ParticleShadowForest(); }
