#include "dev/screenshot.h"

#include <GL/glew.h>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <vector>

#include "gpu/render_target.h"

namespace dev {

bool writeScreenshot(const RenderTarget& t, const std::string& path) {
    if (t.spareTexture == 0 || t.width == 0 || t.height == 0) return false;
    cv::Mat bottomUp(static_cast<int>(t.height), static_cast<int>(t.width), CV_8UC3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTextureImage(t.spareTexture, 0, GL_BGR, GL_UNSIGNED_BYTE, static_cast<GLsizei>(bottomUp.total() * 3),
                      bottomUp.data);
    cv::Mat picture;
    cv::flip(bottomUp, picture, 0);
    try {
        return cv::imwrite(path, picture, std::vector<int>{cv::IMWRITE_PNG_COMPRESSION, 3});
    } catch (const cv::Exception&) {
        return false;
    }
}

}  // namespace dev
