#include "platform/huge_pages.h"

#include <gtest/gtest.h>

namespace {

TEST(HugePages, TheTunableIsAddedOnceAndAUsersSettingStands) {
    struct Case { const char* name; const char* current; const char* want; };
    const Case cases[] = {
        {"unset", nullptr, "glibc.malloc.hugetlb=1"},
        {"empty", "", "glibc.malloc.hugetlb=1"},
        {"added to other settings", "glibc.malloc.check=3", "glibc.malloc.check=3:glibc.malloc.hugetlb=1"},
        {"already asked for: no restart", "glibc.malloc.hugetlb=1", ""},
        {"turned off by the user: no restart", "glibc.malloc.check=3:glibc.malloc.hugetlb=0", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::tunablesWithHugePages(c.current), c.want) << c.name;
}

}  // namespace
