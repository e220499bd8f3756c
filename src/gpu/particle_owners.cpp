#include "gpu/particle_owners.h"

#include <algorithm>

namespace particle_owners {

namespace {

constexpr int kSlots = 16;
int loadingSlot = -1;  // render thread only
std::vector<ComputeParticleSystem*> owned[kSlots];

}  // namespace

void setLoadingSlot(int slot) { loadingSlot = slot; }

void noteCreated(ComputeParticleSystem* system) {
    if (loadingSlot < 0 || loadingSlot >= kSlots) return;
    std::vector<ComputeParticleSystem*>& list = owned[loadingSlot];
    if (std::find(list.begin(), list.end(), system) == list.end()) list.push_back(system);
}

const std::vector<ComputeParticleSystem*>& systemsOf(int slot) {
    static const std::vector<ComputeParticleSystem*> none;
    return slot >= 0 && slot < kSlots ? owned[slot] : none;
}

}  // namespace particle_owners
