// Slot 1: Part_ParticleShadowSkull.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot1() { return new PlaceholderScene(1); }
