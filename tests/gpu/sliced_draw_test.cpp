#include "gpu/sliced_draw.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using sliced_draw::Range;

TEST(SlicedDraw, SlicesCoverTheRangeInOrder) {
    struct Case { const char* name; GLint first; GLsizei count, slice; std::vector<Range> want; };
    const Case cases[] = {
        {"one draw when not sliced", 0, 10, 0, {{0, 10}}},
        {"one draw when the slice holds it all", 5, 10, 10, {{5, 10}}},
        {"a short last slice", 0, 10, 4, {{0, 4}, {4, 4}, {8, 2}}},
        {"counted from first", 100, 6, 2, {{100, 2}, {102, 2}, {104, 2}}},
        {"nothing to draw", 0, 0, 4, {}},
        {"a negative count draws nothing", 0, -3, 4, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(sliced_draw::slices(c.first, c.count, c.slice), c.want) << c.name;
}

TEST(SlicedDraw, OnlySoftwareRasterisersSlice) {
    struct Case { const char* renderer; GLsizei want; };
    const Case cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", sliced_draw::kSoftwareSlice},
        {"softpipe", sliced_draw::kSoftwareSlice},
        {"NVIDIA GeForce RTX 3070/PCIe/SSE2", 0},
        {"AMD Radeon RX 6800 (navi21, LLVM 15.0.6, DRM 3.49, 6.1.0)", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(sliced_draw::sliceSizeFor(c.renderer), c.want) << (c.renderer ? c.renderer : "(none)");
    EXPECT_EQ(sliced_draw::kSoftwareSlice % 2, 0) << "line pairs must stay whole";
}

}  // namespace
