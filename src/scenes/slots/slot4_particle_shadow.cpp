// Slot 4: Part_ParticleShadow.
#include "scenes/particles/part_particle_shadow.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot4() { return new Part_ParticleShadow(); }
