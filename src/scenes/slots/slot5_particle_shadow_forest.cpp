// Slot 5: Part_ParticleShadowForest.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot5() { return new PlaceholderScene(5); }
