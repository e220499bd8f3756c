// Slot 6: Part_LidarAO.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot6() { return new PlaceholderScene(6); }
