#pragma once
// Loading the shared flow field: the velocity file becomes a 128 x 256 x 128 RGB16F 3D texture
// (linear, mirrored repeat) and the Voronoi map an R32F 2D texture of its values x 0.0001
// (nearest, mirrored repeat). Render thread, GL context current.
#include <string>

#include "formats/flow_field.h"

// Reads both files, then creates the two textures. The show cannot run without them: a
// missing, unreadable or short file prints a message that names the file and what it should
// hold, and ends the process with code 1 (before any GL work).
void loadFlowField(FlowField& field, const std::string& velocityPath, const std::string& voronoiPath);

// The same without the stop: false with `error` set, and the record left as it was.
bool tryLoadFlowField(FlowField& field, const std::string& velocityPath, const std::string& voronoiPath,
                      std::string& error);
