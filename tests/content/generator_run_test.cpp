// The generator as a program: the same commit makes the same bytes, and a run killed midway
// leaves no half-written file behind.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "content/generator_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t countFiles(const fs::path& root) {
    size_t n = 0;
    if (!fs::exists(root)) return 0;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) ++n;
    return n;
}

// The runs below make the data files only (the music is slow to make and has tests of its own).
const char* const kDataFiles = "newresources/";

bool isDataFile(const content::Asset& a) { return a.path.find(kDataFiles) != std::string::npos; }

// A fresh run of the small set matches the shared one byte for byte.
TEST(Generator, TwoRunsMakeTheSameBytes) {
    const std::string shared = contenttest::sharedSmallSet();
    ASSERT_FALSE(shared.empty());
    testsupport::TempDir dir;
    ASSERT_EQ(contenttest::runGenerator({"--small", "--only", kDataFiles, "--out", dir.path().string()}, dir.file("log")), 0)
        << readAll(dir.file("log"));
    for (const content::Asset& a : content::catalogue()) {
        if (!isDataFile(a)) continue;
        const std::string mine = readAll(dir.path() / a.path), theirs = readAll(fs::path(shared) / a.path);
        EXPECT_FALSE(mine.empty()) << a.path;
        EXPECT_TRUE(mine == theirs) << a.path << " differs between two runs";
    }
}

// Killed midway, the generator leaves every file under its final name whole; the next run
// makes the rest and finishes the set.
TEST(Generator, AnInterruptedRunLeavesNoTruncatedFile) {
    testsupport::TempDir dir;
    const fs::path out = dir.path() / "show";
    const pid_t pid = contenttest::startGenerator({"--small", "--only", kDataFiles, "--out", out.string()}, dir.file("log1"));
    ASSERT_GT(pid, 0);
    // Wait until it is well under way (a few files are in place), then kill it outright.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (countFiles(out / "newresources") < 20 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(pid, SIGKILL);
    EXPECT_EQ(contenttest::waitGenerator(pid), -1) << "the generator finished before it could be interrupted";

    size_t present = 0, all = 0;
    for (const content::Asset& a : content::catalogue()) {
        if (!isDataFile(a)) continue;
        ++all;
        const fs::path p = out / a.path;
        if (!fs::exists(p)) continue;
        ++present;
        EXPECT_EQ(contenttest::checkWholeFile(p), "") << a.path;
    }
    EXPECT_GT(present, 0u);
    EXPECT_LT(present, all);

    ASSERT_EQ(contenttest::runGenerator({"--small", "--only", kDataFiles, "--out", out.string()}, dir.file("log2")), 0)
        << readAll(dir.file("log2"));
    for (const content::Asset& a : content::catalogue()) {
        if (isDataFile(a)) {
            EXPECT_EQ(contenttest::checkWholeFile(out / a.path), "") << a.path;
        }
    }
    for (const auto& e : fs::recursive_directory_iterator(out))
        EXPECT_NE(e.path().extension(), ".part") << e.path() << " was left behind";
}

}  // namespace

namespace {

// Two generators started on one run tree take turns instead of writing the same temporary
// files: both succeed and the files are whole.
TEST(Generator, TwoRunsOnOneTreeTakeTurns) {
    testsupport::TempDir dir;
    const std::string out = (dir.path() / "show").string();
    const std::vector<std::string> args = {"--small", "--only", "newresources/3/D", "--out", out};
    const pid_t a = contenttest::startGenerator(args, dir.file("a"));
    const pid_t b = contenttest::startGenerator(args, dir.file("b"));
    EXPECT_EQ(contenttest::waitGenerator(a), 0) << readAll(dir.file("a"));
    EXPECT_EQ(contenttest::waitGenerator(b), 0) << readAll(dir.file("b"));
    for (const content::Asset& asset : content::catalogue()) {
        if (asset.path.find("newresources/3/D") == std::string::npos) continue;
        EXPECT_EQ(contenttest::checkWholeFile(fs::path(out) / asset.path), "") << asset.path;
    }
}

}  // namespace
