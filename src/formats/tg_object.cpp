#include "formats/tg_object.h"

#include <GL/glew.h>
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

#include "formats/binary_io.h"
#include "formats/mesh_cache.h"
#include "formats/objb.h"

namespace {

// True when this thread has a current GL context to create and fill buffers with.
bool haveGL() { return SDL_GL_GetCurrentContext() != nullptr && glGenVertexArrays != nullptr; }

// One lock per cache file, so that two loads of one mesh (a scene's worker and its render
// thread, say) never write the cache twice or read it half-written: the second load waits for
// the first and then reads the finished cache.
std::mutex& cacheLock(const std::string& cachePath) {
    static std::mutex registryMutex;
    static std::map<std::string, std::unique_ptr<std::mutex>> locks;
    std::error_code ec;
    std::filesystem::path key = std::filesystem::weakly_canonical(cachePath, ec);
    if (ec) key = std::filesystem::path(cachePath).lexically_normal();
    std::lock_guard<std::mutex> guard(registryMutex);
    std::unique_ptr<std::mutex>& lock = locks[key.string()];
    if (!lock) lock = std::make_unique<std::mutex>();
    return *lock;
}

bool fileExists(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace

std::string meshCachePath(const std::string& objbPath) { return objbPath + "comp"; }

void TGObject::clearParts() {
    for (int p = 0; p < kMaxParts; ++p) {
        TGObjectPart& part = parts[p];
        part.index = static_cast<uint32_t>(p);
        part.positions.clear();
        part.normals.clear();
        part.colours.clear();
        part.indices.clear();
        part.vertexCount = 0;
        part.indexCount = 0;
    }
    partCount = 0;
}

// Moves CPU parts into the part records and creates and fills their GL objects.
void TGObject::takeParts(std::vector<MeshPart>& source) {
    partCount = static_cast<int32_t>(source.size());
    for (int32_t p = 0; p < partCount; ++p) {
        TGObjectPart& part = parts[p];
        static_cast<MeshPart&>(part) = std::move(source[static_cast<size_t>(p)]);
        allocatePart(p, part.numVertices(), part.numIndices());
        uploadPart(p);
        // NOTE: once the GL buffers hold the part, drawing never reads the arrays again; a
        // mesh loaded for its points (keepArrays) or without a context keeps them.
        if (part.vertexArray != 0 && !keepArrays) static_cast<MeshPart&>(part) = MeshPart();
    }
}

bool TGObject::loadObjb(const std::string& path, float scale, bool skipCache) {
    loaded = true;
    clearParts();
    const std::string cachePath = meshCachePath(path);

    std::unique_lock<std::mutex> cacheGuard;
    if (!skipCache) {
        cacheGuard = std::unique_lock<std::mutex>(cacheLock(cachePath));
        if (fileExists(cachePath)) {
            std::vector<MeshPart> cached;
            std::string error;
            if (!readMeshCache(cachePath, scale, cached, boxMin, boxMax, error)) {
                std::printf("TGObject: %s (delete it to rebuild it)\n", error.c_str());
                boxMin = {100000.0f, 100000.0f, 100000.0f};
                boxMax = {-100000.0f, -100000.0f, -100000.0f};
                return false;
            }
            takeParts(cached);
            boxMid = (boxMin + boxMax) * 0.5f;
            return true;
        }
    }

    ObjbMesh mesh;
    std::string error;
    boxMin = {100000.0f, 100000.0f, 100000.0f};
    boxMax = {-100000.0f, -100000.0f, -100000.0f};
    if (!readObjb(path, mesh, error)) {
        std::printf("TGObject: %s\n", error.c_str());
        return false;
    }
    for (MeshPart& part : mesh.parts) {
        const size_t n = part.positions.size();
        // A file without normals or colours: straight up, and white.
        if (!mesh.hasNormals) {
            part.normals.assign(n, 0.0f);
            for (size_t k = 1; k < n; k += 3) part.normals[k] = 1.0f;
        }
        if (!mesh.hasColours) {
            part.colours.assign(n, 1.0f);
        } else {
            for (float& c : part.colours) c = c * 0.5f + 0.5f;
        }
        for (size_t k = 0; k < n; k += 3) {
            float* q = &part.positions[k];
            q[0] *= scale;
            q[1] *= scale;
            q[2] *= scale;
            boxMin.x = std::min(boxMin.x, q[0]);
            boxMin.y = std::min(boxMin.y, q[1]);
            boxMin.z = std::min(boxMin.z, q[2]);
            boxMax.x = std::max(boxMax.x, q[0]);
            boxMax.y = std::max(boxMax.y, q[1]);
            boxMax.z = std::max(boxMax.z, q[2]);
        }
    }
    TVector mid = (boxMin + boxMax) * 0.5f;
    std::printf("BB: %g, %g, %g, %g, %g, %g\n%s  => BBMid: %g, %g, %g\n", boxMin.x, boxMin.y, boxMin.z,
                boxMax.x, boxMax.y, boxMax.z, path.c_str(), mid.x, mid.y, mid.z);
    if (skipCache) {
        takeParts(mesh.parts);
        boxMid = mid;
        return true;
    }

    // Quantise into the cache and read the mesh back from those very bytes. The file is
    // written under a temporary name and renamed into place, so that no reader (in this
    // process or another) ever sees it half-written.
    std::vector<const MeshPart*> list;
    for (const MeshPart& part : mesh.parts) list.push_back(&part);
    std::vector<uint8_t> bytes;
    std::vector<MeshPart> cached;
    if (!encodeMeshCache(cachePath, boxMin, boxMax, list, bytes) ||
        !parseMeshCache(bytes.data(), bytes.size(), cachePath, scale, cached, boxMin, boxMax, error)) {
        std::printf("TGObject: %s: could not build the cache\n", path.c_str());
        return false;
    }
    mesh.parts.clear();
    const std::string tmpPath = cachePath + ".tmp" + std::to_string(getpid());
    if (!binio::writeWholeFile(tmpPath, bytes.data(), bytes.size()) ||
        std::rename(tmpPath.c_str(), cachePath.c_str()) != 0) {
        std::remove(tmpPath.c_str());
        std::printf("TGObject: could not write the cache %s; the mesh is used as quantised\n",
                    cachePath.c_str());
    }
    takeParts(cached);
    boxMid = (boxMin + boxMax) * 0.5f;
    return true;
}

void TGObject::releaseParts() {
    const bool gl = haveGL();
    for (int p = 0; p < kMaxParts; ++p) {
        TGObjectPart& part = parts[p];
        static_cast<MeshPart&>(part) = MeshPart();
        part.vertexCount = 0;
        part.indexCount = 0;
        // NOTE: without a context the GL names (if any) are kept: they cannot be deleted here.
        if (gl && part.vertexArray != 0) {
            const GLuint buffers[4] = {part.positionBuffer, part.colourBuffer, part.normalBuffer, part.elementBuffer};
            glDeleteBuffers(4, buffers);
            glDeleteVertexArrays(1, &part.vertexArray);
            part.vertexArray = part.positionBuffer = part.colourBuffer = part.normalBuffer = part.elementBuffer = 0;
        }
    }
    partCount = 0;
}

void TGObject::allocatePart(int p, int vertexCount, int indexCount) {
    if (p < 0 || p >= kMaxParts) return;
    TGObjectPart& part = parts[p];
    const size_t n = 3 * static_cast<size_t>(std::max(vertexCount, 0));
    part.positions.resize(n);
    part.normals.resize(n);
    part.colours.resize(n);
    part.indices.resize(static_cast<size_t>(std::max(indexCount, 0)));
    if (!haveGL() || part.vertexArray != 0) return;
    glGenVertexArrays(1, &part.vertexArray);
    glGenBuffers(1, &part.positionBuffer);
    glGenBuffers(1, &part.colourBuffer);
    glGenBuffers(1, &part.normalBuffer);
    glGenBuffers(1, &part.elementBuffer);
}

void TGObject::uploadPart(int p) {
    if (p < 0 || p >= kMaxParts) return;
    TGObjectPart& part = parts[p];
    part.vertexCount = part.numVertices();
    part.indexCount = part.numIndices();
    if (part.vertexArray == 0 || !haveGL()) return;
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(part.positions.size() * sizeof(float));
    glBindVertexArray(part.vertexArray);
    auto attribute = [bytes](GLuint location, GLuint buffer, const std::vector<float>& data) {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, bytes, data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
        glVertexAttribPointer(location, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        glEnableVertexAttribArray(location);
    };
    attribute(0, part.positionBuffer, part.positions);
    attribute(2, part.normalBuffer, part.normals);
    attribute(3, part.colourBuffer, part.colours);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, part.elementBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(part.indices.size() * sizeof(uint32_t)),
                 part.indices.empty() ? nullptr : part.indices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TGObject::draw(int part) const {
    if (!loaded) return;
    auto drawOne = [this](int p) {
        const TGObjectPart& r = parts[p];
        if (r.vertexArray == 0 || r.indexCount <= 0) return;
        glBindVertexArray(r.vertexArray);
        glDrawElements(GL_TRIANGLES, r.indexCount, GL_UNSIGNED_INT, nullptr);
        glBindVertexArray(0);
    };
    if (part == -1) {
        for (int p = 0; p < partCount; ++p) drawOne(p);
    } else if (part >= 0 && part < partCount) {
        drawOne(part);
    }
}
