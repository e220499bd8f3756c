#include "dev/checkpoint_store.h"

#include <GL/glew.h>

#include <algorithm>

#include "driver/part.h"
#include "driver/scene_state_hooks.h"
#include "gpu/compute_particle_system.h"
#include "gpu/particle_owners.h"

namespace dev {

namespace {

int64_t gridBytes(const ComputeParticleSystem& s) {
    return s.width > 0 && s.height > 0 ? int64_t{s.width} * int64_t{s.height} * 16 : 0;
}

void readBuffer(GLuint buffer, int64_t bytes, std::vector<uint8_t>& out) {
    out.resize(static_cast<size_t>(bytes));
    if (buffer == 0 || bytes == 0) return;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, bytes, out.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
}

void writeBuffer(GLuint buffer, const std::vector<uint8_t>& in) {
    if (buffer == 0 || in.empty()) return;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, static_cast<GLsizeiptr>(in.size()), in.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
}

// The images are RGBA32F, width x height, 16 bytes a texel like the buffers.
void readImage(GLuint image, int64_t bytes, std::vector<uint8_t>& out) {
    // A system that does not make this image keeps an empty blob, not a zeroed copy of it.
    out.clear();
    if (image == 0 || bytes == 0) return;
    out.resize(static_cast<size_t>(bytes));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTextureImage(image, 0, GL_RGBA, GL_FLOAT, static_cast<GLsizei>(bytes), out.data());
}

void writeImage(GLuint image, int32_t w, int32_t h, const std::vector<uint8_t>& in) {
    if (image == 0 || in.empty()) return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTextureSubImage2D(image, 0, 0, 0, w, h, GL_RGBA, GL_FLOAT, in.data());
}

}  // namespace

size_t Checkpoint::bytes() const {
    size_t n = sizeof(Checkpoint);
    for (const std::vector<uint8_t>& b : blobs) n += b.size();
    return n + sceneState.size();
}

int64_t checkpointBytes(int slot) {
    int64_t n = static_cast<int64_t>(sizeof(Checkpoint));
    for (const ComputeParticleSystem* s : particle_owners::systemsOf(slot)) {
        const int images = (s->image0 != 0 ? 1 : 0) + (s->image2 != 0 ? 1 : 0);
        n += (3 + images) * gridBytes(*s);
    }
    return n;
}

bool CheckpointStore::save(Part* const scenes[], int slot, int frame, double demoTime, bool start) {
    const int64_t need = checkpointBytes(slot);
    if (!start) {
        // Room for it: the oldest checkpoints that are not a scene's start go first.
        while (used_ + need > budget_) {
            auto oldest = std::find_if(points_.begin(), points_.end(), [](const Checkpoint& c) { return !c.start; });
            if (oldest == points_.end()) return false;
            used_ -= static_cast<int64_t>(oldest->bytes());
            points_.erase(oldest);
        }
    }
    Checkpoint c;
    c.slot = slot;
    c.frame = frame;
    c.demoTime = demoTime;
    c.start = start;
    for (int s = 0; s < scene_table::kSlots; ++s) {
        if (scenes[s] != nullptr) c.clocks[s] = capture_plan::save(*scenes[s]);
    }
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT | GL_TEXTURE_UPDATE_BARRIER_BIT);
    for (const ComputeParticleSystem* s : particle_owners::systemsOf(slot)) {
        const int64_t bytes = gridBytes(*s);
        const GLuint buffers[] = {s->buffer0, s->buffer1, s->buffer2};
        for (GLuint b : buffers) {
            c.blobs.emplace_back();
            readBuffer(b, bytes, c.blobs.back());
        }
        const GLuint images[] = {s->image0, s->image2};
        for (GLuint i : images) {
            c.blobs.emplace_back();
            readImage(i, bytes, c.blobs.back());
        }
    }
    if (scenes[slot] != nullptr) c.sceneState = scene_state_hooks::save(scenes[slot]);
    used_ += static_cast<int64_t>(c.bytes());
    points_.push_back(std::move(c));
    return true;
}

const Checkpoint* CheckpointStore::nearest(int slot, int frame) const {
    const Checkpoint* best = nullptr;
    for (const Checkpoint& c : points_) {
        if (c.slot != slot || c.start || c.frame > frame) continue;
        if (best == nullptr || c.frame > best->frame) best = &c;
    }
    return best;
}

const Checkpoint* CheckpointStore::startOf(int slot) const {
    for (const Checkpoint& c : points_)
        if (c.slot == slot && c.start) return &c;
    return nullptr;
}

void CheckpointStore::restore(Part* const scenes[], const Checkpoint& c) const {
    if (!c.start) {
        for (int s = 0; s < scene_table::kSlots; ++s) {
            if (scenes[s] != nullptr) capture_plan::restore(*scenes[s], c.clocks[s]);
        }
    }
    size_t blob = 0;
    for (const ComputeParticleSystem* s : particle_owners::systemsOf(c.slot)) {
        if (blob + 5 > c.blobs.size()) break;
        writeBuffer(s->buffer0, c.blobs[blob++]);
        writeBuffer(s->buffer1, c.blobs[blob++]);
        writeBuffer(s->buffer2, c.blobs[blob++]);
        writeImage(s->image0, s->width, s->height, c.blobs[blob++]);
        writeImage(s->image2, s->width, s->height, c.blobs[blob++]);
    }
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_SHADER_IMAGE_ACCESS_BARRIER_BIT | GL_TEXTURE_FETCH_BARRIER_BIT);
    if (scenes[c.slot] != nullptr) scene_state_hooks::restore(scenes[c.slot], c.sceneState);
}

}  // namespace dev
