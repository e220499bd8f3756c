#pragma once
// Which scene slot made which compute particle system: the loader names the slot whose load is
// running, and every system created meanwhile is listed under it. Developer mode saves and
// restores a scene's particle state through this list; nothing else reads it.
#include <vector>

struct ComputeParticleSystem;

namespace particle_owners {

// The slot whose load runs from now on (-1: none). Render thread.
void setLoadingSlot(int slot);
// Called by ComputeParticleSystem::create.
void noteCreated(ComputeParticleSystem* system);
// The systems made while `slot` was loading, in creation order (a system re-created is listed once).
const std::vector<ComputeParticleSystem*>& systemsOf(int slot);

}  // namespace particle_owners
