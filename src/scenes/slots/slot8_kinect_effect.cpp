// Slot 8: Part_KinectEffect.
#include "scenes/depth/part_kinect_effect.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot8() { return new Part_KinectEffect(); }
