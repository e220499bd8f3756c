#include "platform/display_modes.h"

#include <SDL.h>

namespace platform {

bool enumDisplayMode(int index, int& width, int& height) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, index, &mode) != 0) return false;
    width = mode.w;
    height = mode.h;
    return true;
}

}  // namespace platform
