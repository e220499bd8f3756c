// Slot 8: Part_KinectEffect.
#include "scenes/placeholder_scene.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot8() { return new PlaceholderScene(8); }
