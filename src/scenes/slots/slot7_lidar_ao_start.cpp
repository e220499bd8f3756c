// Slot 7: Part_LidarAOStart.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot7() { return new PlaceholderScene(7); }
