// Slot 4: Part_ParticleShadow.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot4() { return new PlaceholderScene(4); }
