#include <gtest/gtest.h>

#include "dev/dev_log.h"

TEST(DevLog, OneLineWithTheDemoTime) {
    EXPECT_EQ(dev::logLine("seek", 160.0, "Part_ParticleShadow", "from scene start, 60 steps, 0.42 s"),
              "dev: seek 160.000 s Part_ParticleShadow (from scene start, 60 steps, 0.42 s)");
    EXPECT_EQ(dev::logLine("pause", 3.14159, "Part_Fallers"), "dev: pause 3.142 s Part_Fallers");
    EXPECT_EQ(dev::logLine("pause", 500.0, ""), "dev: pause 500.000 s (none)");
}
