#pragma once
// The show's loading around the scenes' own: the shared assets that several scenes use, and
// the loading screen that scenes advance through the engine's `loaderCallback`. All of it runs
// on the render thread, on the first frame, with the GL context current.
//
//   loadSharedFirst();    // shared programs, flow field, loading screen and its callback
//   ... every scene's load and finishLoad, each calling engine->loaderCallback(weight) ...
//   loadSharedSecond();   // walker meshes, shared point cloud, sky and marble textures
#include "gpu/image_texture.h"

// Shared programs, the flow field, the loading screen's picture, and loaderCallback.
void loadSharedFirst();
// The 56 walker meshes, the shared point cloud, the sky and marble textures.
void loadSharedSecond();
// Advances the progress by `weight` and shows one new loading-screen frame (one swap).
void loadingScreenStep(float weight);

// Loading-screen state: the picture and the accumulated progress (never reset; 1 = complete).
extern ImageTexture loaderTexture;
extern float loadProgress;

// Called after each loading-screen frame is drawn and before it is swapped (capture mode
// reads it back); nullptr when nobody listens.
extern void (*loadingFrameHook)();
