// Decoding a recording frame: a 3 x 2 pair of TIFF files written here, the byte formulas,
// the vertical flip, the extremes, and the faults (a missing signal, a frame of another
// size, a missing depth file, a file the decoder throws on, files that would stay open).
#include "scenes/depth/depth_frame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <vector>

#include "support/temp_dir.h"

using depth_frame::FrameStatus;

namespace {

// Pixel (x, y) as OpenCV holds it: channels 0, 1, 2.
struct Px {
    uint8_t c0, c1, c2;
};

void writePair(const std::string& path, int w, int h, const std::vector<Px>& pixels) {
    cv::Mat image(h, w, CV_8UC3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Px& p = pixels[static_cast<size_t>(y * w + x)];
            image.at<cv::Vec3b>(y, x) = cv::Vec3b(p.c0, p.c1, p.c2);
        }
    ASSERT_TRUE(cv::imwrite(path, image)) << path;
}

// Texel (x, row) of decoded texels, row counted from the texture's bottom.
const float* texel(const std::vector<float>& texels, int w, int x, int row) {
    return &texels[static_cast<size_t>((row * w + x) * 3)];
}

// The fixture: depth bytes (b0, b1) and signal bytes (c0, c1) per image pixel, rows top-down.
const std::vector<Px> kDepth = {
    {0, 0, 9}, {255, 255, 9}, {128, 1, 9},      // 0, 255.99609375, 1.5
    {1, 0, 9}, {0, 1, 9}, {44, 9, 9},           // 1/256, 1, (44 + 2304) / 256
};
const std::vector<Px> kSignal = {
    {0, 255, 7}, {128, 128, 7}, {255, 0, 7},    // (-1, 0.9921875), (0, 0), (0.9921875, -1)
    {64, 192, 7}, {129, 127, 7}, {128, 0, 7},
};

// A 122-byte uncompressed RGB TIFF whose header claims 65536 x 65536 pixels and holds none.
// OpenCV's decoder throws on it (the image is over its pixel limit) instead of returning an
// empty image; the depth-frame fuzz target found two such files.
void writeOversizedTiff(const std::string& path) {
    std::vector<uint8_t> bytes = {'I', 'I', 42, 0, 8, 0, 0, 0};
    auto put = [&bytes](uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    struct Entry {
        uint16_t tag, type;  // type 3: SHORT, 4: LONG
        uint32_t value;
    } const entries[] = {
        {256, 4, 65536}, {257, 4, 65536}, {258, 3, 8}, {259, 3, 1},      {262, 3, 2},
        {273, 4, 8},     {277, 3, 3},     {278, 4, 1}, {279, 4, 196608},
    };
    put(9, 2);
    for (const Entry& e : entries) {
        put(e.tag, 2);
        put(e.type, 2);
        put(1, 4);
        put(e.value, 4);  // a SHORT sits in the first two bytes of the field
    }
    put(0, 4);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

void writeText(const std::string& path, const char* text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

// Descriptors this process holds open.
int openDescriptors() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

}  // namespace

TEST(DepthFrame, DecodesBytesAndFlipsRows) {
    testsupport::TempDir temp;
    writePair(temp.file("D_00175.tiff"), 3, 2, kDepth);
    writePair(temp.file("Dv00175.tiff"), 3, 2, kSignal);

    std::vector<float> texels(3 * 2 * 3, -7.0f);
    ASSERT_EQ(depth_frame::readDepthFrame(temp.file("D_00175.tiff"), temp.file("Dv00175.tiff"), 3, 2, texels.data()),
              FrameStatus::Decoded);

    struct Case {
        int x, imageRow;
        float u, v, depth;
    } cases[] = {
        {0, 0, -1.0f, 0.9921875f, 0.0f},
        {1, 0, 0.0f, 0.0f, 255.99609375f},
        {2, 0, 0.9921875f, -1.0f, 1.5f},
        {0, 1, -0.5f, 0.5f, 1.0f / 256.0f},
        {1, 1, 1.0f / 128.0f, -1.0f / 128.0f, 1.0f},
        {2, 1, 0.0f, -1.0f, (44.0f + 256.0f * 9.0f) / 256.0f},
    };
    for (const Case& c : cases) {
        // Image row y lands in texture row height - 1 - y.
        const float* t = texel(texels, 3, c.x, 2 - 1 - c.imageRow);
        EXPECT_EQ(t[0], c.u) << "pixel " << c.x << "," << c.imageRow;
        EXPECT_EQ(t[1], c.v) << "pixel " << c.x << "," << c.imageRow;
        EXPECT_EQ(t[2], c.depth) << "pixel " << c.x << "," << c.imageRow;
    }
}

TEST(DepthFrame, Faults) {
    testsupport::TempDir temp;
    writePair(temp.file("D.tiff"), 3, 2, kDepth);
    writePair(temp.file("Dv.tiff"), 3, 2, kSignal);
    writePair(temp.file("wide.tiff"), 4, 2, std::vector<Px>(8, Px{1, 2, 3}));
    writeText(temp.file("junk.tiff"), "not an image");
    writeOversizedTiff(temp.file("huge.tiff"));
    writeText(temp.file("radiance.tiff"), "#?RADIANCE\nnonsense\n");

    struct Case {
        const char* name;
        std::string depth, signal;
        FrameStatus status;
        bool written;
    } cases[] = {
        {"missing signal", temp.file("D.tiff"), temp.file("none.tiff"), FrameStatus::SignalMissing, true},
        {"unreadable signal", temp.file("D.tiff"), temp.file("junk.tiff"), FrameStatus::SignalMissing, true},
        {"signal of another size", temp.file("D.tiff"), temp.file("wide.tiff"), FrameStatus::SignalMissing, true},
        {"depth of another size", temp.file("wide.tiff"), temp.file("Dv.tiff"), FrameStatus::SizeMismatch, false},
        {"missing depth", temp.file("none.tiff"), temp.file("Dv.tiff"), FrameStatus::DepthMissing, false},
        {"unreadable depth", temp.file("junk.tiff"), temp.file("Dv.tiff"), FrameStatus::DepthMissing, false},
        {"signal the decoder throws on", temp.file("D.tiff"), temp.file("huge.tiff"), FrameStatus::SignalMissing, true},
        {"depth the decoder throws on", temp.file("huge.tiff"), temp.file("Dv.tiff"), FrameStatus::DepthMissing, false},
        {"Radiance signal", temp.file("D.tiff"), temp.file("radiance.tiff"), FrameStatus::SignalMissing, true},
        {"Radiance depth", temp.file("radiance.tiff"), temp.file("Dv.tiff"), FrameStatus::DepthMissing, false},
    };
    for (const Case& c : cases) {
        std::vector<float> texels(3 * 2 * 3, -7.0f);
        EXPECT_EQ(depth_frame::readDepthFrame(c.depth, c.signal, 3, 2, texels.data()), c.status) << c.name;
        if (c.written) {
            // Depth decoded, motion zero.
            EXPECT_EQ(texel(texels, 3, 1, 1)[2], 255.99609375f) << c.name;
            for (size_t k = 0; k < texels.size(); k += 3) {
                EXPECT_EQ(texels[k], 0.0f) << c.name;
                EXPECT_EQ(texels[k + 1], 0.0f) << c.name;
            }
        } else {
            for (float f : texels) EXPECT_EQ(f, -7.0f) << c.name;
        }
    }
}

TEST(DepthFrame, FrameSize) {
    testsupport::TempDir temp;
    writePair(temp.file("wide.tiff"), 4, 2, std::vector<Px>(8, Px{1, 2, 3}));
    int w = -1, h = -1;
    EXPECT_TRUE(depth_frame::readFrameSize(temp.file("wide.tiff"), w, h));
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 2);
    EXPECT_FALSE(depth_frame::readFrameSize(temp.file("none.tiff"), w, h));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    writeOversizedTiff(temp.file("huge.tiff"));
    EXPECT_FALSE(depth_frame::readFrameSize(temp.file("huge.tiff"), w, h));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

// OpenCV's Radiance decoder leaves the file open when the header is bad; the scene reads a
// frame again each time it plays, so a broken frame must not cost a descriptor per read.
TEST(DepthFrame, BrokenFramesLeaveNoFileOpen) {
    testsupport::TempDir temp;
    writePair(temp.file("D.tiff"), 3, 2, kDepth);
    writeText(temp.file("bad-header.tiff"), "#?RADIANCE\nnonsense\n");
    writeText(temp.file("too-large.tiff"), "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 70000 +X 70000\n");
    writeOversizedTiff(temp.file("huge.tiff"));
    writeText(temp.file("junk.tiff"), "not an image");
    for (const char* name : {"bad-header.tiff", "too-large.tiff", "huge.tiff", "junk.tiff"}) {
        const int before = openDescriptors();
        std::vector<float> texels(3 * 2 * 3);
        int w = 0, h = 0;
        for (int i = 0; i < 20; ++i) {
            EXPECT_FALSE(depth_frame::readFrameSize(temp.file(name), w, h)) << name;
            EXPECT_EQ(depth_frame::readDepthFrame(temp.file(name), temp.file(name), 3, 2, texels.data()),
                      FrameStatus::DepthMissing) << name;
            EXPECT_EQ(depth_frame::readDepthFrame(temp.file("D.tiff"), temp.file(name), 3, 2, texels.data()),
                      FrameStatus::SignalMissing) << name;
        }
        EXPECT_EQ(openDescriptors(), before) << name;
    }
}
