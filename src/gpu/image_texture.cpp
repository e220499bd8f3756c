#include "gpu/image_texture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <vector>

namespace image_texture {

size_t paddedRowBytes(int32_t width) {
    const size_t bytes = static_cast<size_t>(width > 0 ? width : 0) * 3;
    return (bytes + 3) & ~static_cast<size_t>(3);
}

}  // namespace image_texture

void ImageTexture::loadImage(const std::string& path, bool swapRedBlue) {
    // A picture that cannot be had leaves the texture as it was (the scene draws on with its
    // old or empty pixels); the log names the file, since a texture gone black is hard to trace.
    // NOTE: existence is checked first so that a missing file gets our line, not OpenCV's warning.
    if (!std::ifstream(path, std::ios::binary).is_open()) {
        std::printf("ImageTexture: cannot open %s (the texture keeps its pixels)\n", path.c_str());
        return;
    }
    cv::Mat image = cv::imread(path, cv::IMREAD_COLOR);
    if (image.empty() || image.type() != CV_8UC3) {
        std::printf("ImageTexture: %s is not a picture OpenCV can read (the texture keeps its pixels)\n", path.c_str());
        return;
    }
    if (swapRedBlue) cv::cvtColor(image, image, cv::COLOR_BGR2RGB);

    // OpenCV packs rows tightly; GL is told rows padded to 4 bytes, so pad them.
    const size_t rowBytes = static_cast<size_t>(image.cols) * 3;
    const size_t padded = image_texture::paddedRowBytes(image.cols);
    if (padded == rowBytes && image.isContinuous()) {
        setPixels(image.cols, image.rows, image.ptr<uint8_t>(0));
        return;
    }
    std::vector<uint8_t> pixels(padded * static_cast<size_t>(image.rows), 0);
    for (int row = 0; row < image.rows; ++row) {
        std::memcpy(&pixels[padded * static_cast<size_t>(row)], image.ptr<uint8_t>(row), rowBytes);
    }
    setPixels(image.cols, image.rows, pixels.data());
}

void ImageTexture::setPixels(int32_t newWidth, int32_t newHeight, const uint8_t* pixels) {
    const bool hasTexture = width != 0 || height != 0;
    if (hasTexture && newWidth == width && newHeight == height) {
        upload(pixels);
        return;
    }
    if (hasTexture) glDeleteTextures(1, &texture);
    width = newWidth;
    height = newHeight;
    components = 3;
    type = GL_UNSIGNED_BYTE;
    format = GL_RGB;
    glGenTextures(1, &texture);
    upload(pixels);
}

void ImageTexture::upload(const uint8_t* pixels) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // The pixel layout promises rows padded to 4 bytes; hold GL to that whatever the caller
    // left in the unpack state.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, type, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}
