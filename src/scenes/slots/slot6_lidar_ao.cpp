// Slot 6: Part_LidarAO.
#include "scenes/lidar/part_lidar_ao.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot6() { return new Part_LidarAO(); }
