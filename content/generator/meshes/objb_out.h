#pragma once
// Kit meshes to and from ".objb" files, through the show's own reader and writer.
#include <string>

#include "generator/meshes/mesh.h"

namespace kit {

// Writes normals and colours (0..1 here, -1..1 in the file). Throws on failure.
void writeMesh(const std::string& path, const Mesh& mesh);
// Reads a file back into kit form (colours to 0..1). False with a message on failure.
bool readMesh(const std::string& path, Mesh& mesh, std::string& error);

}  // namespace kit
