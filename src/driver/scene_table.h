#pragma once
// The show's ten scenes: which class sits in which slot of the engine's scene table, the
// order in which they are created, loaded and played. The active scene is always the first
// scene in play order whose `done` is false; there is no other sequencer state.
#include <string>

class Part;
struct Data_Interface;

namespace scene_table {

constexpr int kSlots = 10;       // slots 0-9 hold scenes
constexpr int kTableSize = 12;   // slots 10 and 11 stay empty
constexpr int kLastSlot = 3;     // Part_DEMOLidarTree: the show ends when it is done

extern const int kPlayOrder[kSlots];      // 8, 0, 5, 2, 4, 9, 1, 7, 6, 3
extern const int kCreationOrder[kSlots];  // 8, 0, 2, 5, 1, 4, 9, 6, 7, 3

// The scene class of a slot ("Part_ParticleShadowBoat" for 0), or "" outside 0-9.
const char* className(int slot);
// The slot of a scene class, or -1.
int slotOf(const std::string& className);

// The first slot in play order whose scene is not done, or -1 when all are. An empty slot
// counts as done.
int activeSlot(Part* const scenes[]);

// Updates the active scene with the engine's frameDelta; returns the slot updated (-1: none).
// A step of a second or less follows the sequencer's rule: a scene that ends in it keeps the
// rest of the step, and the next scene starts in the next frame. A longer step (a machine too
// slow for real time, demo_clock.h) would lose up to a whole step at every cut, and the scenes
// would fall behind the music scene by scene; there the rest of the step, in demo seconds, goes
// on to the next scene in the same frame (and on, should that one end in it too).
int updateActive(Part* const scenes[], Data_Interface& engine);

// Calls load and finishLoad on slots 0-9 in the show's fixed order, with three lines of 56
// asterisks on standard output between the first and the second half:
// L0 L1 L2 F0 F1 L3 F2 F3 L5 F5 L8 F8 *** L6 F6 L7 F7 L4 F4 L9 F9.
void loadAll(Part* const scenes[]);

}  // namespace scene_table
