#pragma once
// ZeroedFloats: a float vector whose storage comes zeroed from the allocator, so a fresh array
// of zeros is made without a pass over its memory. Arrays of 1 MiB and more are mapped straight
// from the kernel (anonymous pages read as zero until written, and go back to the system when
// freed); smaller ones come from calloc. Growing by resize() does not write the new elements:
// they are the zeros the storage came with.
//
//   ZeroedFloats a;
//   makeZeroed(a, n);   // n zeros: fresh storage untouched, reused storage cleared
//
// NOTE: the no-write resize holds only for storage that has not been written since it was
// allocated; makeZeroed is the way to get n zeros whatever the vector held before.
#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

template <class T>
struct ZeroedAllocator {
    using value_type = T;
    static constexpr size_t kMapBytes = size_t(1) << 20;

    ZeroedAllocator() = default;
    template <class U>
    ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}

    T* allocate(size_t n) {
        const size_t bytes = n * sizeof(T);
        void* p = nullptr;
        if (bytes >= kMapBytes) {
            p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p == MAP_FAILED) throw std::bad_alloc();
        } else {
            p = std::calloc(n == 0 ? 1 : n, sizeof(T));
            if (!p) throw std::bad_alloc();
        }
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t n) noexcept {
        const size_t bytes = n * sizeof(T);
        if (bytes >= kMapBytes)
            munmap(p, bytes);
        else
            std::free(p);
    }
    // Default-constructs without writing (the storage holds zeros already).
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const ZeroedAllocator<U>&) const noexcept {
        return true;
    }
    template <class U>
    bool operator!=(const ZeroedAllocator<U>&) const noexcept {
        return false;
    }
};

using ZeroedFloats = std::vector<float, ZeroedAllocator<float>>;

// Makes `v` hold n zeros. Storage already large enough is kept and cleared; otherwise it is
// given back and fresh storage (zero already) is taken, with nothing written.
inline void makeZeroed(ZeroedFloats& v, size_t n) {
    if (n > 0 && v.capacity() >= n) {
        v.assign(n, 0.0f);
        return;
    }
    ZeroedFloats().swap(v);
    v.resize(n);
}
