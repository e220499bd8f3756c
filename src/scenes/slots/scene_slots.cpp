#include "scenes/slots/scene_slots.h"

SceneFactory sceneFactory(int slot) {
    static const SceneFactory factories[10] = {
        createSceneSlot0, createSceneSlot1, createSceneSlot2, createSceneSlot3, createSceneSlot4,
        createSceneSlot5, createSceneSlot6, createSceneSlot7, createSceneSlot8, createSceneSlot9,
    };
    return slot >= 0 && slot < 10 ? factories[slot] : nullptr;
}
