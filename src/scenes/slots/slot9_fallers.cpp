// Slot 9: Part_Fallers.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot9() { return new PlaceholderScene(9); }
