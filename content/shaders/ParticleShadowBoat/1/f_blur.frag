#version 430 compatibility
#include "../../common/glow_blur.glsl"
