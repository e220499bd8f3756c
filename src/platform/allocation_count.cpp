#include "platform/allocation_count.h"

namespace platform {

AllocationCounter allocationCounter = nullptr;

int64_t threadAllocations() { return allocationCounter != nullptr ? allocationCounter() : -1; }

}  // namespace platform
