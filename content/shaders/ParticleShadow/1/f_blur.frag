#version 430 compatibility
// The quarter-size glow source: a wide disc blur of the bright parts of the picture.
#include "../../common/glow_blur.glsl"
