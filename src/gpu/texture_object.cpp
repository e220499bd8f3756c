#include "gpu/texture_object.h"

#include <GL/glew.h>

#include <cstdio>

#include "gpu/texture_scatter.h"

namespace {

std::atomic<int64_t> g_heldArrayBytes{0};

}  // namespace

TextureObject::~TextureObject() { g_heldArrayBytes.fetch_sub(countedBytes_, std::memory_order_relaxed); }

int64_t TextureObject::heldArrayBytes() { return g_heldArrayBytes.load(std::memory_order_relaxed); }

int64_t TextureObject::arrayBytes() const {
    return static_cast<int64_t>((positions.capacity() + colours.capacity() + normals.capacity()) * sizeof(float));
}

void TextureObject::account() {
    const int64_t now = arrayBytes();
    g_heldArrayBytes.fetch_add(now - countedBytes_, std::memory_order_relaxed);
    countedBytes_ = now;
}

void TextureObject::allocateArrays(int w, int h) {
    width = w;
    height = h;
    const size_t texels = w > 0 && h > 0 ? size_t(w) * size_t(h) : 0;
    makeZeroed(positions, 4 * texels);
    makeZeroed(colours, 4 * texels);
    makeZeroed(normals, 3 * texels);
    randomState = 4134;
    account();
}

void TextureObject::releaseArrays() {
    ZeroedFloats().swap(positions);
    ZeroedFloats().swap(colours);
    ZeroedFloats().swap(normals);
    account();
}

void TextureObject::swapArrays(SampleArrays& other) {
    positions.swap(other.positions);
    colours.swap(other.colours);
    normals.swap(other.normals);
    account();
}

void TextureObject::createTextures() {
    auto make = [this](GLuint& name, GLint internalFormat, GLenum format) {
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_FLOAT, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    };
    make(positionTexture, GL_RGBA16F, GL_RGBA);
    make(colourTexture, GL_RGBA, GL_RGBA);
    make(normalTexture, GL_RGB, GL_RGB);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void TextureObject::allocate(int w, int h) {
    allocateArrays(w, h);
    createTextures();
}

void TextureObject::loadAndScatter(TextureObject* object, int /*index*/, std::string meshPath, float /*a*/,
                                   float /*b*/, float densityX, float densityY, TVector /*origin*/,
                                   TVector boxMin, TVector boxMax) {
    object->loadScale = 0.012f;
    object->skipCache = true;
    object->loadMesh(meshPath, densityX, densityY, boxMin, boxMax, 0.126f);
}

void TextureObject::loadMesh(const std::string& meshPath, float densityX, float densityY,
                             const TVector& boxMin, const TVector& boxMax, float fixedPoints) {
    pointsPerTriangle = fixedPoints;
    path = meshPath;
    mesh.keepArrays = true;  // the scatter reads the triangles, even on a thread with a context
    mesh.loadObjb(meshPath, loadScale, skipCache);
    scatter(densityX, densityY, boxMin, boxMax);
    // NOTE: the points are made; the triangles are never read again. A scene holds dozens of
    // these objects, and its meshes would otherwise stay in memory for the whole show.
    mesh.releaseParts();
}

void TextureObject::scatter(float densityX, float densityY, const TVector& boxMin, const TVector& boxMax) {
    const int64_t texels = width > 0 && height > 0 ? int64_t(width) * int64_t(height) : 0;
    ScatterArrays out;
    if (texels > 0 && positions.size() == size_t(4 * texels) && colours.size() == size_t(4 * texels) &&
        normals.size() == size_t(3 * texels)) {
        out = {positions.data(), colours.data(), normals.data(), texels};
    }
    filledCount = scatterMesh(mesh, densityX, densityY, boxMin, boxMax, pointsPerTriangle, randomState, out);
    std::printf("TGObject Maxcounter: %d/ %lld\n", filledCount, static_cast<long long>(texels));
}

void TextureObject::upload() {
    // NOTE: a set of no size uploads nothing, and its arrays (empty) are freed all the same.
    uploadArrays(true);
    releaseArrays();
}

void TextureObject::uploadArrays(bool releaseEach) {
    if (width <= 0 || height <= 0) return;
    const size_t texels = size_t(width) * size_t(height);
    auto put = [this, releaseEach](GLuint name, GLint internalFormat, GLenum format, ZeroedFloats& data,
                                   size_t need) {
        // Arrays already freed (a second upload), or no texture made, leave things as they are.
        if (data.size() != need || name == 0 || name == 0xFFFFFFFFu) return;
        glBindTexture(GL_TEXTURE_2D, name);
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_FLOAT, data.data());
        if (releaseEach) ZeroedFloats().swap(data);
    };
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    put(positionTexture, GL_RGBA16F, GL_RGBA, positions, 4 * texels);
    put(colourTexture, GL_RGBA, GL_RGBA, colours, 4 * texels);
    put(normalTexture, GL_RGB, GL_RGB, normals, 3 * texels);
    glBindTexture(GL_TEXTURE_2D, 0);
}
