// Slot 7: Part_LidarAOStart.
#include "scenes/lidar/part_lidar_ao_start.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot7() { return new Part_LidarAOStart(); }
