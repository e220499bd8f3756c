#include "gpu/render_target.h"

#include <gtest/gtest.h>

namespace {

TEST(RenderTargetSizes, WideAndQuarterExtents) {
    struct Case { GLuint size, wide, quarter; };
    const Case cases[] = {{1920, 2880, 480}, {1080, 1620, 270}, {1366, 2049, 341}, {768, 1152, 192},
                          {1, 1, 0}, {3, 4, 0}, {0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(render_target::wideExtent(c.size), c.wide) << c.size;
        EXPECT_EQ(render_target::quarterExtent(c.size), c.quarter) << c.size;
    }
}

}  // namespace
