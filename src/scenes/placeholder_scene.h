#pragma once
// PlaceholderScene: holds a slot of the scene table until that scene is built. It loads
// nothing and draws a black picture for as long as the real scene would play: it runs its
// slot's clock from the clock table, so the cuts fall where the music has them. Its load only
// advances the loading screen (in a few steps) by as much as the real scene would, so the
// progress arc fills as it will in the finished show. It is never reported as a built scene:
// the capture progress and the log name it "<class> (placeholder)".
#include <string>

#include "driver/part.h"

class PlaceholderScene : public Part {
public:
    explicit PlaceholderScene(int slot);

    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    void load() override;
    void finishLoad() override {}

    int slot;
};

// True when `scene` is a placeholder (an empty slot counts as one too).
bool isPlaceholder(const Part* scene);
