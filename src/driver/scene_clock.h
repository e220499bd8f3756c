#pragma once
// The scene clocks: one table for the ten scenes, read by every scene's update() and by the
// content generator, which composes the music on the timeline these clocks make. A scene's
// rate lives here and nowhere else, so the picture and the music cannot drift apart.
//
//   void Part_X::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::X); }
//
// Every clock advances by the engine's frame step times its rate factors (each product in
// double, rounded to float; some factors only while the clock, before the advance, is inside
// a window) and its scene is done in the frame in which the clock passes its end.
#include <vector>

class Part;
struct Data_Interface;

// The scenes in play order.
enum class SceneId {
    KinectEffect,
    Boat,
    Forest,
    Rainbow,
    ParticleShadow,
    Fallers,
    Skull,
    LidarAOStart,
    LidarAO,
    DEMOLidarTree,
};
constexpr int kSceneCount = 10;

// One rate factor, applied while the clock is in [from, below), or in (from, below) with
// `strictFrom`.
struct RateFactor {
    double factor;
    double from = -1e30;
    double below = 1e30;
    bool strictFrom = false;
};

struct SceneClock {
    const char* name;                 // the scene's class name
    float start;                      // the clock's value after load
    std::vector<RateFactor> factors;  // applied in order
    double end;                       // done once the clock exceeds this
    bool endAsDouble;                 // compare with `end` in double (else in float)
};

// The ten clocks in play order; entry i is SceneId i.
const std::vector<SceneClock>& sceneClocks();
const SceneClock& sceneClock(SceneId id);
// The clock of the scene class `name`, or nullptr.
const SceneClock* findSceneClock(const char* name);

struct ClockTick {
    float timeStep;   // this frame's scaled step
    float localTime;  // after the advance
    bool done;
};
ClockTick tick(const SceneClock& clock, float localTime, float frameDelta);

// The whole update slot of a scene: stores the engine, copies frameDelta, tuneX and tuneY,
// scales the step, counts the update, advances localTime and sets done at the end.
void updateSceneClock(Part& part, Data_Interface* engine, SceneId id);
