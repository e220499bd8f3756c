#pragma once
// The display modes of display 0, asked by index until the first failure.
namespace platform {

// Fills width and height of mode `index` of display 0; false when there is no such mode.
bool enumDisplayMode(int index, int& width, int& height);

}  // namespace platform
