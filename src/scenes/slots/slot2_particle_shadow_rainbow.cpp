// Slot 2: Part_ParticleShadowRainbow.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot2() { return new PlaceholderScene(2); }
