#include "gpu/shader_source.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/temp_dir.h"

namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kSource = "#version 430\nvoid main() { gl_FragColor = vec4(1.0); }\n";

TEST(ShaderSource, TwinName) {
    EXPECT_EQ(shader_source::twinPath("../shaders/fallers/v_particles.cpp"), "../shaders/fallers/v_particles.sbn");
    EXPECT_EQ(shader_source::twinPath("a.cpp/b.cpp"), "a.sbn/b.cpp");  // the first ".cpp" only
    EXPECT_EQ(shader_source::twinPath("shader.glsl"), "");
}

TEST(ShaderSource, KeyIsTheRandSequenceAfterSeed9418Modulo255) {
    std::string zeros(64, '\0');
    shader_source::scramble(zeros);
    std::srand(9418);
    for (size_t i = 0; i < zeros.size(); ++i) {
        EXPECT_EQ(static_cast<unsigned char>(zeros[i]), std::rand() % 255) << "key byte " << i;
    }
}

TEST(ShaderSource, PlainFileWritesATwinOfNPlusOneBytesEndingInZero) {
    testsupport::TempDir dir;
    const std::string plain = dir.file("f_post.cpp");
    writeFile(plain, kSource);

    const auto text = loadShaderSource(plain);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, kSource);

    std::string twin = readFile(dir.file("f_post.sbn"));
    ASSERT_EQ(twin.size(), kSource.size() + 1);
    shader_source::scramble(twin);
    EXPECT_EQ(twin.back(), '\0');
    EXPECT_EQ(twin.substr(0, kSource.size()), kSource);
}

TEST(ShaderSource, TwinAloneLoadsTheSameText) {
    testsupport::TempDir dir;
    const std::string plain = dir.file("v_quad.cpp");
    writeFile(plain, kSource);
    ASSERT_TRUE(loadShaderSource(plain).has_value());
    std::filesystem::remove(plain);

    const auto text = loadShaderSource(plain);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, kSource);
}

TEST(ShaderSource, PlainFileWinsAndRewritesTheTwin) {
    testsupport::TempDir dir;
    const std::string plain = dir.file("ComputeShader1.cpp");
    writeFile(plain, kSource);
    writeFile(dir.file("ComputeShader1.sbn"), "stale twin of another text");

    const auto text = loadShaderSource(plain);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, kSource);
    std::string twin = readFile(dir.file("ComputeShader1.sbn"));
    ASSERT_EQ(twin.size(), kSource.size() + 1);
    shader_source::scramble(twin);
    EXPECT_EQ(twin, kSource + std::string(1, '\0'));
}

TEST(ShaderSource, NeitherFileGivesNoText) {
    testsupport::TempDir dir;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadShaderSource(dir.file("missing.cpp")).has_value());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(ShaderSource, EdgeCases) {
    struct Case {
        const char* name;
        const char* file;        // written into the temp dir
        std::string content;     // as written (the twin already scrambled)
        const char* load;        // path handed to the loader
        std::string expected;
    };
    std::string unterminated = "void main() {}";
    shader_source::scramble(unterminated);  // a twin cut short: no terminator
    const Case cases[] = {
        {"twin without terminator ends at its end", "cut.sbn", unterminated, "cut.cpp", "void main() {}"},
        {"empty plain file", "empty.cpp", "", "empty.cpp", ""},
        {"empty twin", "hollow.sbn", "", "hollow.cpp", ""},
        {"path without .cpp read as plain", "shader.glsl", kSource, "shader.glsl", kSource},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        writeFile(dir.file(c.file), c.content);
        const auto text = loadShaderSource(dir.file(c.load));
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.expected);
    }
}

TEST(ShaderSource, PathWithoutCppWritesNoTwin) {
    testsupport::TempDir dir;
    writeFile(dir.file("shader.glsl"), kSource);
    ASSERT_TRUE(loadShaderSource(dir.file("shader.glsl")).has_value());
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

}  // namespace

namespace {

TEST(ShaderSource, AFolderIsNoSourceButItsTwinStillLoads) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir.file("folder.cpp"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadShaderSource(dir.file("folder.cpp")).has_value());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("folder.sbn")));

    std::string twin = kSource + std::string(1, '\0');
    shader_source::scramble(twin);
    writeFile(dir.file("folder.sbn"), twin);
    const auto text = loadShaderSource(dir.file("folder.cpp"));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, kSource);
}

TEST(ShaderSource, ReadOnlyPlainFileStillLoads) {
    testsupport::TempDir dir;
    const std::string plain = dir.file("v_fixed.cpp");
    writeFile(plain, kSource);
    std::filesystem::permissions(plain, std::filesystem::perms::owner_read, std::filesystem::perm_options::replace);
    const auto text = loadShaderSource(plain);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, kSource);
}

// Scatter workers reseed the C library's generator as they start, at any moment of a shader
// load: the twin must not depend on it.
TEST(ShaderSource, TwinsStayCorrectWhileAnotherThreadReseedsRand) {
    // The key as the C library gives it, taken before the other thread runs.
    std::string expected = kSource + std::string(1, '\0');
    std::srand(9418);
    for (char& c : expected) c = static_cast<char>(static_cast<unsigned char>(c) ^ (std::rand() % 255));

    testsupport::TempDir dir;
    const std::string plain = dir.file("v_crowd.cpp");
    writeFile(plain, kSource);
    std::atomic<bool> stop{false};
    std::thread reseeder([&stop] {
        for (unsigned seed = 0; !stop.load(std::memory_order_relaxed); ++seed) {
            std::srand(42342 + seed % 7);
            (void)std::rand();
        }
    });
    int wrong = 0;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(loadShaderSource(plain).has_value());
        if (readFile(dir.file("v_crowd.sbn")) != expected) ++wrong;
    }
    stop = true;
    reseeder.join();
    EXPECT_EQ(wrong, 0) << "twins written with a disturbed key, of 200";
}

}  // namespace
