#include <gtest/gtest.h>

#include <set>

#include "generator/catalogue.h"

namespace {

// Every file is made by exactly one asset, with a maker and a path inside the run tree.
TEST(Catalogue, PathsAreUniqueAndRelative) {
    std::set<std::string> seen;
    for (const content::Asset& a : content::catalogue()) {
        EXPECT_TRUE(seen.insert(a.path).second) << "twice: " << a.path;
        EXPECT_TRUE(a.make) << a.path;
        EXPECT_FALSE(a.path.empty());
        EXPECT_NE(a.path.front(), '/') << a.path;
        EXPECT_EQ(a.path.find(".."), std::string::npos) << a.path;
    }
}

}  // namespace
