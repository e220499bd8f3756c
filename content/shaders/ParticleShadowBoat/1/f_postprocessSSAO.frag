#version 430 compatibility
#include "../../common/glow_composite.glsl"
