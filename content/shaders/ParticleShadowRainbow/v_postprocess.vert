#version 430 compatibility
#include "../common/v_fullscreen.glsl"
