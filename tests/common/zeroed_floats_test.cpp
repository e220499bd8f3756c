#include "common/zeroed_floats.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace {

bool allZero(const ZeroedFloats& v) {
    return std::all_of(v.begin(), v.end(), [](float f) { return f == 0.0f; });
}

// Pages of v's storage that are resident (written or read) right now.
size_t residentPages(const ZeroedFloats& v) {
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = reinterpret_cast<uintptr_t>(v.data()) & ~(page - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(v.data() + v.size());
    std::vector<unsigned char> flags((end - begin + page - 1) / page);
    if (mincore(reinterpret_cast<void*>(begin), end - begin, flags.data()) != 0) return SIZE_MAX;
    return size_t(std::count_if(flags.begin(), flags.end(), [](unsigned char f) { return f & 1; }));
}

}  // namespace

TEST(ZeroedFloats, MakeZeroedGivesZerosFromAnyStart) {
    struct Case {
        const char* name;
        size_t before;  // elements held (all 5.0) before the call; 0 = empty
        size_t after;
    };
    const Case cases[] = {
        {"fresh, small", 0, 1000},
        {"fresh, mapped", 0, 1 << 20},
        {"dirty, same size", 1000, 1000},
        {"dirty, shrinking", 1 << 20, 1000},
        {"dirty, growing past the storage", 1000, 1 << 20},
        {"to nothing", 1000, 0},
    };
    for (const Case& c : cases) {
        ZeroedFloats v(c.before, 5.0f);
        const float* storage = v.data();
        makeZeroed(v, c.after);
        EXPECT_EQ(v.size(), c.after) << c.name;
        EXPECT_TRUE(allZero(v)) << c.name;
        // Storage large enough is kept rather than taken anew.
        if (c.after > 0 && c.before >= c.after) {
            EXPECT_EQ(v.data(), storage) << c.name;
        }
    }
}

TEST(ZeroedFloats, FreshLargeArrayIsNotWritten) {
    ZeroedFloats v;
    makeZeroed(v, 4 << 20);  // 16 MiB
    ASSERT_EQ(v.size(), size_t(4) << 20);
    EXPECT_EQ(residentPages(v), 0u) << "the zeros were written instead of mapped";
    v[123456] = 2.0f;
    EXPECT_GE(residentPages(v), 1u);
    EXPECT_EQ(v[123457], 0.0f);
}
