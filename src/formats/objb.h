#pragma once
// The ".objb" mesh file: the show's static meshes, read by TGObject and written by the
// content generator.
//
//   ObjbMesh mesh;                      // hasNormals / hasColours, then the parts
//   mesh.parts.push_back(part);         // positions, normals, colours (-1..1), indices
//   writeObjb("island.objb", mesh);
//   std::string error;
//   if (!readObjb("island.objb", mesh, error)) puts(error.c_str());
//
// Layout (little-endian, no padding, no magic): int32 part count, int32 colour flag,
// int32 normal flag (each counts only when it is exactly 1), then per part int32 V, int32 I,
// float[3V] positions, float[3V] normals (normal flag), float[3V] colours (colour flag),
// uint32[I] indices.
#include <string>
#include <vector>

#include "formats/mesh_part.h"

struct ObjbMesh {
    bool hasColours = false;
    bool hasNormals = false;
    // Colours hold the file's values (-1..1); normals and colours are empty when absent.
    std::vector<MeshPart> parts;
};

constexpr int kObjbMaxParts = 200;

// Writes the mesh. Every part must have 3V normals when hasNormals and 3V colours when
// hasColours. False (with a message printed) when the mesh is malformed or on I/O failure.
bool writeObjb(const std::string& path, const ObjbMesh& mesh);

// Reads a whole ".objb". Rejects, with a message in `error` that names the file, a file that
// cannot be read, a part count outside 0..200, counts that run past the end of the file and
// indices that point past their part's vertices. `mesh` is empty after a failure.
bool readObjb(const std::string& path, ObjbMesh& mesh, std::string& error);
// The same over bytes already in memory; `name` names the source in messages.
bool parseObjb(const uint8_t* data, size_t size, const std::string& name, ObjbMesh& mesh,
               std::string& error);
