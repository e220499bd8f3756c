#pragma once
// ImageTexture: a plain 2D RGB texture filled from an image file or from 8-bit RGB pixels.
//
//   ImageTexture sky;
//   sky.loadImage("../data/sky.jpg", false);   // render thread; silent when the file is missing
//
// NOTE: images load in the file's blue-green-red order; with swapRedBlue false (what the
// scenes pass) the texture holds blue in its red channel. Shaders are written for that.
#include <GL/glew.h>

#include <cstdint>
#include <string>

class ImageTexture {
public:
    ImageTexture() = default;

    // Loads `path` in colour; on failure does nothing and says nothing.
    void loadImage(const std::string& path, bool swapRedBlue);
    // `pixels`: `height` rows of width x 3 bytes, each row padded to a multiple of 4 bytes
    // (GL's default unpack alignment). Same size as before: upload into the existing texture;
    // otherwise a new texture replaces the old one.
    void setPixels(int32_t newWidth, int32_t newHeight, const uint8_t* pixels);

    GLuint texture = 0;
    int32_t width = 0;
    int32_t height = 0;
    GLint components = 0;
    GLenum type = 0;
    GLenum format = 0;

private:
    void upload(const uint8_t* pixels);
};

namespace image_texture {

// Bytes per row of an RGB image `width` pixels wide, padded to a multiple of 4.
size_t paddedRowBytes(int32_t width);

}  // namespace image_texture
