#include "scenes/placeholder_scene.h"

#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/scene_clock.h"
#include "driver/scene_table.h"

PlaceholderScene::PlaceholderScene(int s) : slot(s) {}

namespace {

// What each scene reports to the loading screen in all while it loads (its loaderCallback
// weights added up), by slot. A placeholder reports the same, so the progress arc closes at
// the end of loading with any mix of built scenes and placeholders.
constexpr float kSceneLoadWeight[10] = {7.4f, 2.0f, 9.0f, 18.0f, 35.5f, 4.0f, 1.0f, 1.0f, 4.0f, 2.0f};
constexpr int kLoadSteps = 4;

}  // namespace

void PlaceholderScene::load() {
    if (engine == nullptr || engine->loaderCallback == nullptr || slot < 0 || slot >= 10) return;
    for (int i = 0; i < kLoadSteps; ++i) engine->loaderCallback(kSceneLoadWeight[slot] / kLoadSteps);
}

void PlaceholderScene::update(Data_Interface* e) {
    const SceneClock* clock = findSceneClock(scene_table::className(slot));
    if (clock == nullptr) {  // not a slot of the show: pass through in one frame
        engine = e;
        ++updateCount;
        done = true;
        return;
    }
    if (updateCount == 0) localTime = clock->start;
    updateSceneClock(*this, e, static_cast<SceneId>(clock - sceneClocks().data()));
}

void PlaceholderScene::render(Data_Interface* e, int eye, const float*) {
    engine = e;
    display = e->display;
    if (display == nullptr || !display->initialised) return;
    // A cleared eye pass resolved into the spare texture: the finished picture is black.
    display->beginEyePass(eye);
    display->resolveEyePass(eye);
    display->beginEyePostPass(eye);
    display->finishEyePostPass(eye);
}

bool isPlaceholder(const Part* scene) {
    return scene == nullptr || dynamic_cast<const PlaceholderScene*>(scene) != nullptr;
}
