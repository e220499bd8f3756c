#include "gpu/image_texture.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <opencv2/imgcodecs.hpp>
#include <vector>

#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

// The texture's level 0 as tightly packed RGB bytes.
std::vector<uint8_t> readRgb(const ImageTexture& t) {
    std::vector<uint8_t> pixels(static_cast<size_t>(t.width) * t.height * 3);
    glBindTexture(GL_TEXTURE_2D, t.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

// Pixel (x, y) of the test picture, as (b, g, r) in OpenCV's order.
cv::Vec3b pictureBgr(int x, int y) {
    return cv::Vec3b(static_cast<uint8_t>(10 + x), static_cast<uint8_t>(100 + y), static_cast<uint8_t>(200 + x + y));
}

std::string writePicture(const testsupport::TempDir& dir, int width, int height) {
    cv::Mat image(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.at<cv::Vec3b>(y, x) = pictureBgr(x, y);
    }
    const std::string path = dir.file("picture.png");
    EXPECT_TRUE(cv::imwrite(path, image));
    return path;
}

TEST(ImageTextureGl, SameSizeKeepsTheNameNewSizeReplacesIt) {
    REQUIRE_GL_CONTEXT();
    ImageTexture t;
    EXPECT_EQ(t.width, 0);
    EXPECT_EQ(t.components, 0);
    const std::vector<uint8_t> pixels(8 * 8 * 3, 128);
    t.setPixels(4, 4, pixels.data());
    const GLuint first = t.texture;
    EXPECT_TRUE(glIsTexture(first));
    EXPECT_EQ(t.components, 3);
    EXPECT_EQ(t.format, static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(t.type, static_cast<GLenum>(GL_UNSIGNED_BYTE));

    t.setPixels(4, 4, pixels.data());
    EXPECT_EQ(t.texture, first);

    t.setPixels(8, 4, pixels.data());
    EXPECT_EQ(t.width, 8);
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_TRUE(glIsTexture(t.texture));
    GLint width = 0, filter = 0, wrap = 0;
    glBindTexture(GL_TEXTURE_2D, t.texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(width, 8);
    EXPECT_EQ(filter, GL_LINEAR);
    EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
}

TEST(ImageTextureGl, OddWidthImagesReadBackExactly) {
    REQUIRE_GL_CONTEXT();
    struct Case { int width, height; bool swap; };
    const Case cases[] = {{5, 3, false}, {5, 3, true}, {7, 2, false}, {4, 4, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " swap " << c.swap);
        testsupport::TempDir dir;
        ImageTexture t;
        t.loadImage(writePicture(dir, c.width, c.height), c.swap);
        ASSERT_EQ(t.width, c.width);
        ASSERT_EQ(t.height, c.height);
        const std::vector<uint8_t> rgb = readRgb(t);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const cv::Vec3b bgr = pictureBgr(x, y);
                const uint8_t* p = &rgb[(static_cast<size_t>(y) * c.width + x) * 3];
                // Without the swap the texture keeps the file's blue-green-red order.
                const uint8_t want[3] = {c.swap ? bgr[2] : bgr[0], bgr[1], c.swap ? bgr[0] : bgr[2]};
                ASSERT_EQ(p[0], want[0]) << x << "," << y;
                ASSERT_EQ(p[1], want[1]) << x << "," << y;
                ASSERT_EQ(p[2], want[2]) << x << "," << y;
            }
        }
    }
}

TEST(ImageTextureGl, PaddedRowsFromSetPixels) {
    REQUIRE_GL_CONTEXT();
    EXPECT_EQ(image_texture::paddedRowBytes(5), 16u);
    EXPECT_EQ(image_texture::paddedRowBytes(4), 12u);
    EXPECT_EQ(image_texture::paddedRowBytes(1), 4u);
    // Two rows of 5 pixels, each padded with one byte that must not reach the texture.
    std::vector<uint8_t> pixels(32, 0xEE);
    for (int y = 0; y < 2; ++y) {
        for (int i = 0; i < 15; ++i) pixels[y * 16 + i] = static_cast<uint8_t>(y * 15 + i);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // a caller's leftover state must not matter
    ImageTexture t;
    t.setPixels(5, 2, pixels.data());
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const std::vector<uint8_t> rgb = readRgb(t);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(rgb[i], i) << "byte " << i;
}

TEST(ImageTextureGl, MissingOrBrokenFileLeavesTheTextureAndNamesTheFile) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ImageTexture t;
    const std::vector<uint8_t> pixels(16 * 3, 1);
    t.setPixels(4, 4, pixels.data());
    const GLuint before = t.texture;
    {
        std::ofstream broken(dir.file("broken.png"), std::ios::binary);
        broken << "not a picture";
    }
    for (const std::string name : {"missing.png", "broken.png"}) {
        SCOPED_TRACE(name);
        testing::internal::CaptureStdout();
        t.loadImage(dir.file(name), false);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(t.texture, before);
        EXPECT_EQ(t.width, 4);
        EXPECT_EQ(t.height, 4);
        EXPECT_EQ(readRgb(t), std::vector<uint8_t>(pixels.size(), 1));
        EXPECT_NE(out.find("ImageTexture: "), std::string::npos) << out;
        EXPECT_NE(out.find(dir.file(name)), std::string::npos) << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    }
}

}  // namespace
