// Slot 3: Part_DEMOLidarTree.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot3() { return new PlaceholderScene(3); }
