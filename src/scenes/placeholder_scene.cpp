#include "scenes/placeholder_scene.h"

#include "display/vr_engine2.h"
#include "driver/data_interface.h"

PlaceholderScene::PlaceholderScene(int s) : slot(s) {}

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
