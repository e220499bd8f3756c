#pragma once
// TGObject: one static mesh of up to 200 parts, each an indexed triangle list with positions,
// normals and colours in its own vertex-array object (attribute 0 positions, 2 normals,
// 3 colours; 32-bit indices).
//
//   TGObject mesh;
//   mesh.loadObjb("..//newresources//island.objb", 1.0f, false);  // writes island.objbcomp once
//   program.use(); ...; mesh.draw(-1);                              // every part
//
// Loads through the quantised cache (path + "comp") unless skipCache: the first load writes
// the cache, and every load then reads the mesh back from it.
// NOTE: the cache stores positions already multiplied by the scale and the reader multiplies
// them again, so a mesh that goes through the cache comes out scale x scale times the size of
// its file's data (stored caches and the scenes rely on this); with skipCache it is scale
// times.
//
// A load on a thread without a current GL context (the scatter workers) fills the CPU arrays
// only and makes no GL call; such a mesh is not drawable. A load with a context uploads the
// parts and frees their CPU arrays (vertexCount and indexCount stay), unless keepArrays is set.
// Bad files (missing, more than 200 or fewer than 0 parts, counts running past the end,
// indices past their vertices) print one message naming the file and leave the mesh empty.
#include <cstdint>
#include <string>

#include "common/tvector.h"
#include "formats/mesh_part.h"

struct TGObjectPart : MeshPart {
    uint32_t index = 0;  // the part's position in the array
    uint32_t vertexArray = 0;
    uint32_t positionBuffer = 0;
    uint32_t colourBuffer = 0;
    uint32_t normalBuffer = 0;
    uint32_t elementBuffer = 0;
    int32_t vertexCount = 0;  // V
    int32_t indexCount = 0;   // I
};

class TGObject {
public:
    static constexpr int kMaxParts = 200;

    int32_t partCount = 0;
    TGObjectPart parts[kMaxParts];
    TVector boxMin{100000.0f, 100000.0f, 100000.0f};
    TVector boxMax{-100000.0f, -100000.0f, -100000.0f};
    TVector boxMid{0.0f, 0.0f, 0.0f};
    bool loaded = false;
    bool keepArrays = false;  // keep the CPU arrays after a GL upload (users of the triangles)

    // Loads the ".objb" at path, positions multiplied by scale; see the notes above.
    // Returns false (after printing why) when the mesh is left empty.
    bool loadObjb(const std::string& path, float scale, bool skipCache);

    // Draws one part, or every part when part is -1. The caller has made its program current.
    void draw(int part) const;

    // Allocates the part's arrays (3V floats for positions, normals and colours, I indices)
    // and, with a GL context, its vertex array and buffers.
    void allocatePart(int part, int vertexCount, int indexCount);
    // Records V and I from the part's arrays and, with a GL context, uploads them.
    void uploadPart(int part);
    // Frees every part's arrays (their memory, not just their contents) and, on a thread with
    // a GL context, the parts' GL objects; keeps the bounding box and `loaded`. The mesh is left
    // with no parts and draws nothing. For users done with the triangles (the scatter).
    void releaseParts();

private:
    void clearParts();
    void takeParts(std::vector<MeshPart>& source);
};

// The cache's path for a mesh: the path followed by "comp".
std::string meshCachePath(const std::string& objbPath);
