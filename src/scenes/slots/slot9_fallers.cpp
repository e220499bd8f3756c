// Slot 9: Part_Fallers.
#include "scenes/particles/part_fallers.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot9() { return new Part_Fallers(); }
