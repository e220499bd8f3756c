#include <gtest/gtest.h>

#include "gpu/shader_program.h"

namespace {

const std::string kBanner = "******************************** ERROR **************************\n";

TEST(CompileLog, BannerOnlyForLowerCaseError) {
    struct Case { const char* name; std::string log; std::string expected; };
    const Case cases[] = {
        {"lower-case error", "0:3(1): error: syntax error", kBanner + "0:3(1): error: syntax error\n"},
        {"capital Error only", "Error-free, nothing to say", "Error-free, nothing to say\n"},
        {"word inside another", "no_errors_here", kBanner + "no_errors_here\n"},
        {"warning", "0:1(1): warning: unused", "0:1(1): warning: unused\n"},
        {"empty log is an empty line", "", "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::internal::CaptureStdout();
        printCompileLog(c.log);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.expected);
    }
}

}  // namespace
