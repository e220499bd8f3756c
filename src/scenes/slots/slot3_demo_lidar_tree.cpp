// Slot 3: Part_DEMOLidarTree.
#include "scenes/lidar/part_demo_lidar_tree.h"
#include "scenes/slots/scene_slots.h"

Part* createSceneSlot3() { return new Part_DEMOLidarTree(); }
