#version 430 compatibility
#include "scan_fixed.glsl"
