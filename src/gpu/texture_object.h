#pragma once
// TextureObject: a mesh turned into particles. The mesh is loaded and scattered into three
// CPU arrays on a worker thread, then uploaded on the render thread into three float
// textures of width x height texels (positions RGBA16F: x, y, z, part; colours RGBA8: r, g, b,
// normal z; normals RGB8) that the particle shaders read.
//
//   TextureObject& t = samples[i];
//   t.allocate(1000, 1000);                                  // render thread
//   std::thread w(TextureObject::loadAndScatter, &t, i, path, 0.f, 0.f, 81.f, 10.f,
//                 origin, boxMin, boxMax);                   // worker
//   w.join();
//   t.upload();                                              // render thread; frees the arrays
//
// allocate() = allocateArrays() (CPU) + createTextures() (GL); the CPU half alone lets tests
// and tools scatter without a context. A scene that loads many sets in batches makes the
// textures first and the arrays per batch, reusing one set of storage per worker:
//
//   SampleArrays spare;                                      // per worker, lives across batches
//   t.width = t.height = 1000; t.createTextures();           // up front
//   t.swapArrays(spare); t.allocateArrays(1000, 1000);       // per batch: storage reused
//   ... scatter, join ...
//   t.uploadArrays(); t.swapArrays(spare);                   // the storage goes back to spare
//
// heldArrayBytes() counts the array storage that TextureObjects hold, process-wide, so the
// loader can tell a scene that keeps its arrays after its load is over.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "common/tvector.h"
#include "common/zeroed_floats.h"
#include "formats/tg_object.h"

// The three CPU arrays of a sample set, apart from any TextureObject (storage to reuse).
struct SampleArrays {
    ZeroedFloats positions;
    ZeroedFloats colours;
    ZeroedFloats normals;
};

class TextureObject {
public:
    TextureObject() = default;
    TextureObject(const TextureObject&) = delete;
    TextureObject& operator=(const TextureObject&) = delete;
    ~TextureObject();

    uint32_t positionTexture = 0xFFFFFFFFu;
    uint32_t colourTexture = 0xFFFFFFFFu;
    uint32_t normalTexture = 0;
    int32_t width = -1;
    int32_t height = -1;
    int32_t filledCount = 0;
    ZeroedFloats positions;  // 4 x w x h
    ZeroedFloats colours;    // 4 x w x h
    ZeroedFloats normals;    // 3 x w x h
    uint32_t randomState = 0;
    std::string path;
    float pointsPerTriangle = -1.0f;
    TGObject mesh;  // after loadMesh only its bounding box is left (the parts are freed)
    float loadScale = 1.0f;
    bool skipCache = false;

    // Render thread: allocateArrays, then the three textures (no data yet).
    void allocate(int width, int height);
    // The CPU half: records the size, allocates the arrays (zeroed; storage already held is
    // reused and cleared, fresh storage comes zeroed without a pass over it) and sets the
    // random state to 4134.
    void allocateArrays(int width, int height);
    void createTextures();

    // Worker-thread body: load scale 0.012, skip the cache, and loadMesh with 0.126 points per
    // triangle. index, a, b and origin are carried but not used.
    static void loadAndScatter(TextureObject* object, int index, std::string path, float a, float b,
                               float densityX, float densityY, TVector origin, TVector boxMin,
                               TVector boxMax);
    // Loads the mesh (load scale, skip-cache flag), scatters it and frees the mesh's parts.
    void loadMesh(const std::string& path, float densityX, float densityY, const TVector& boxMin,
                  const TVector& boxMax, float pointsPerTriangle);
    // Fills the arrays from the loaded mesh and prints "TGObject Maxcounter: <filled>/ <w x h>".
    void scatter(float densityX, float densityY, const TVector& boxMin, const TVector& boxMax);

    // Render thread: uploads the three arrays into their textures, freeing each array as soon
    // as its texture holds it (the set's arrays and its textures are never all alive at once).
    void upload();
    // The upload alone: the arrays stay (see swapArrays); with `releaseEach` each array is
    // freed as soon as its texture holds it.
    void uploadArrays(bool releaseEach = false);
    // Frees the arrays' storage.
    void releaseArrays();
    // Exchanges this object's arrays with `other` (storage and contents).
    void swapArrays(SampleArrays& other);

    // Bytes of array storage held by all TextureObjects right now.
    static int64_t heldArrayBytes();

private:
    int64_t arrayBytes() const;
    // Brings the process-wide count up to date with this object's storage.
    void account();
    int64_t countedBytes_ = 0;
};
