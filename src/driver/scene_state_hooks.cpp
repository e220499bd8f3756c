#include "driver/scene_state_hooks.h"

#include <map>

namespace scene_state_hooks {

namespace {

struct Hooks {
    Save save;
    Restore restore;
};
std::map<const Part*, Hooks>& table() {
    static auto* hooks = new std::map<const Part*, Hooks>();  // render thread; never freed
    return *hooks;
}

}  // namespace

void add(const Part* scene, Save s, Restore r) { table()[scene] = Hooks{std::move(s), std::move(r)}; }

std::vector<uint8_t> save(const Part* scene) {
    std::vector<uint8_t> blob;
    const auto it = table().find(scene);
    if (it != table().end() && it->second.save) it->second.save(blob);
    return blob;
}

void restore(const Part* scene, const std::vector<uint8_t>& blob) {
    const auto it = table().find(scene);
    if (it != table().end() && it->second.restore) it->second.restore(blob);
}

}  // namespace scene_state_hooks
