#pragma once
// State a scene keeps outside its clock and its particle buffers (a recording's position, say),
// offered for developer mode's checkpoints: `save` appends it to a byte blob, `restore` puts it
// back from one (and redoes what depends on it). A scene adds its hooks in load(); nothing
// calls them in a bare start.
#include <cstdint>
#include <functional>
#include <vector>

class Part;

namespace scene_state_hooks {

using Save = std::function<void(std::vector<uint8_t>& blob)>;
using Restore = std::function<void(const std::vector<uint8_t>& blob)>;

void add(const Part* scene, Save save, Restore restore);
// The scene's state as one blob (empty without hooks).
std::vector<uint8_t> save(const Part* scene);
void restore(const Part* scene, const std::vector<uint8_t>& blob);

// Helpers for plain fields.
template <typename T>
void append(std::vector<uint8_t>& blob, const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    blob.insert(blob.end(), p, p + sizeof(T));
}
// Reads a T at `offset` and moves past it; false (value untouched) when the blob is too short.
template <typename T>
bool take(const std::vector<uint8_t>& blob, size_t& offset, T& value) {
    if (offset + sizeof(T) > blob.size()) return false;
    std::copy(blob.begin() + static_cast<std::ptrdiff_t>(offset),
              blob.begin() + static_cast<std::ptrdiff_t>(offset + sizeof(T)), reinterpret_cast<uint8_t*>(&value));
    offset += sizeof(T);
    return true;
}

}  // namespace scene_state_hooks
