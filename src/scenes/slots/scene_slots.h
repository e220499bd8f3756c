#pragma once
// One factory per slot of the scene table, each in its own small file, so that a scene's
// issue replaces exactly its own slot: `return new Part_X();` in place of the placeholder.
class Part;

Part* createSceneSlot0();  // Part_ParticleShadowBoat
Part* createSceneSlot1();  // Part_ParticleShadowSkull
Part* createSceneSlot2();  // Part_ParticleShadowRainbow
Part* createSceneSlot3();  // Part_DEMOLidarTree
Part* createSceneSlot4();  // Part_ParticleShadow
Part* createSceneSlot5();  // Part_ParticleShadowForest
Part* createSceneSlot6();  // Part_LidarAO
Part* createSceneSlot7();  // Part_LidarAOStart
Part* createSceneSlot8();  // Part_KinectEffect
Part* createSceneSlot9();  // Part_Fallers

// The factory of `slot` (0-9), or nullptr.
using SceneFactory = Part* (*)();
SceneFactory sceneFactory(int slot);
