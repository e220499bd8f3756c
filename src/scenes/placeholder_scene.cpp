#include "scenes/placeholder_scene.h"

#include "display/vr_engine2.h"
#include "driver/data_interface.h"

PlaceholderScene::PlaceholderScene(int s) : slot(s) {}

namespace {

// The loading screen turns weights into progress at 0.01186 x 1.058616 per unit, so ten
// placeholders of 4 x 1.99 bring it to about 0.9995.
constexpr int kLoadSteps = 4;
constexpr float kStepWeight = 1.99f;

}  // namespace

void PlaceholderScene::load() {
    if (engine == nullptr || engine->loaderCallback == nullptr) return;
    for (int i = 0; i < kLoadSteps; ++i) engine->loaderCallback(kStepWeight);
}

void PlaceholderScene::update(Data_Interface* e) {
    engine = e;
    timeStep = e->frameDelta;
    tuneX = e->tuneX;
    tuneY = e->tuneY;
    ++updateCount;
    localTime += timeStep;
    done = true;
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
