#include "dev/key_queue.h"

#include <atomic>
#include <mutex>

namespace dev {

namespace {

std::atomic<bool> enabled{false};
std::mutex queueMutex;
std::vector<KeyPress> pending;  // guarded by queueMutex

}  // namespace

void enableKeys() { enabled.store(true, std::memory_order_relaxed); }

void offerKey(int scancode, bool shift) {
    if (!enabled.load(std::memory_order_relaxed)) return;
    const std::lock_guard<std::mutex> lock(queueMutex);
    if (pending.size() < 1024) pending.push_back({scancode, shift});
}

std::vector<KeyPress> takeKeys() {
    const std::lock_guard<std::mutex> lock(queueMutex);
    std::vector<KeyPress> keys;
    keys.swap(pending);
    return keys;
}

}  // namespace dev
