// Slot 0: Part_ParticleShadowBoat.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot0() { return new PlaceholderScene(0); }
