#include "generator/meshes/preview.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/core.hpp>

namespace kit {

namespace {

struct Canvas {
    int w, h;
    std::vector<float> depth;
    cv::Mat rgb;
};

void drawTile(Canvas& cv, int ox, int oy, int size, const Mesh& mesh, const View& view, const Box& fit) {
    const Mat3 rot = Mat3::rotX(view.pitch) * Mat3::rotY(-view.yaw);
    const Vec3 c = fit.centre();
    const float extent = length(fit.size()) * 0.5f;
    const float s = size * 0.48f / std::max(extent, 1e-9f);
    const Vec3 key = normalize(Vec3(-0.5f, 0.8f, 0.6f));
    const Vec3 fill = normalize(Vec3(0.7f, 0.1f, 0.3f));
    for (const Part& part : mesh.parts) {
        std::vector<Vec3> sp(part.pos.size());
        std::vector<Vec3> shade(part.pos.size());
        for (size_t i = 0; i < part.pos.size(); ++i) {
            const Vec3 q = rot * (part.pos[i] - c);
            sp[i] = Vec3(ox + size * 0.5f + q.x * s, oy + size * 0.5f - q.y * s, q.z);
            const Vec3 n = i < part.nrm.size() ? rot * part.nrm[i] : Vec3(0, 0, 1);
            const Vec3 col = i < part.col.size() ? part.col[i] : Vec3(0.8f, 0.8f, 0.8f);
            const float k = std::max(0.0f, dot(n, key));
            const float f = std::max(0.0f, dot(n, fill));
            const Vec3 light = Vec3(1.0f, 0.9f, 0.75f) * (0.85f * k) + Vec3(0.45f, 0.55f, 0.75f) * (0.35f * f) +
                               Vec3(0.16f, 0.16f, 0.18f);
            shade[i] = mul(col, light);
        }
        for (size_t t = 0; t + 2 < part.idx.size(); t += 3) {
            const Vec3 &a = sp[part.idx[t]], &b = sp[part.idx[t + 1]], &d = sp[part.idx[t + 2]];
            const float areaTwice = (b.x - a.x) * (d.y - a.y) - (b.y - a.y) * (d.x - a.x);
            if (areaTwice == 0) continue;
            const int x0 = std::max(ox, int(std::floor(std::min(a.x, std::min(b.x, d.x)))));
            const int x1 = std::min(ox + size - 1, int(std::ceil(std::max(a.x, std::max(b.x, d.x)))));
            const int y0 = std::max(oy, int(std::floor(std::min(a.y, std::min(b.y, d.y)))));
            const int y1 = std::min(oy + size - 1, int(std::ceil(std::max(a.y, std::max(b.y, d.y)))));
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    const float px = x + 0.5f, py = y + 0.5f;
                    const float w0 = ((b.x - px) * (d.y - py) - (b.y - py) * (d.x - px)) / areaTwice;
                    const float w1 = ((d.x - px) * (a.y - py) - (d.y - py) * (a.x - px)) / areaTwice;
                    const float w2 = 1.0f - w0 - w1;
                    if (w0 < 0 || w1 < 0 || w2 < 0) continue;
                    const float z = w0 * a.z + w1 * b.z + w2 * d.z;
                    float& zb = cv.depth[size_t(y) * cv.w + x];
                    if (z <= zb) continue;
                    zb = z;
                    Vec3 col = shade[part.idx[t]] * w0 + shade[part.idx[t + 1]] * w1 + shade[part.idx[t + 2]] * w2;
                    if (areaTwice > 0) col = Vec3(0.5f, 0.1f, 0.1f);  // back face: shows bad winding in red
                    cv.rgb.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<uchar>(clampf(col.z, 0, 1) * 255),
                                                           static_cast<uchar>(clampf(col.y, 0, 1) * 255),
                                                           static_cast<uchar>(clampf(col.x, 0, 1) * 255));
                }
        }
    }
}

}  // namespace

bool renderPng(const std::string& path, const std::vector<const Mesh*>& meshes, const std::vector<View>& views, int tile) {
    Canvas cv;
    cv.w = tile * static_cast<int>(meshes.size());
    cv.h = tile * static_cast<int>(views.size());
    cv.depth.assign(size_t(cv.w) * cv.h, -1e30f);
    cv.rgb = cv::Mat(cv.h, cv.w, CV_8UC3, cv::Scalar(26, 22, 20));
    Box fit;
    float biggest = 0;
    for (const Mesh* m : meshes) {
        const Box b = bounds(*m);
        if (length(b.size()) > biggest) {
            biggest = length(b.size());
            fit = b;
        }
    }
    for (size_t v = 0; v < views.size(); ++v)
        for (size_t m = 0; m < meshes.size(); ++m) {
            Box own = bounds(*meshes[m]);
            Box f = fit;  // same scale for all tiles, each centred on its own mesh
            const Vec3 shift = own.centre() - fit.centre();
            f.lo += shift;
            f.hi += shift;
            drawTile(cv, int(m) * tile, int(v) * tile, tile, *meshes[m], views[v], f);
        }
    return cv::imwrite(path, cv.rgb);
}

bool previewMesh(const std::string& path, const Mesh& mesh, int tile) {
    // A group of many parts also gets a close look at its last part.
    const bool closeUp = mesh.parts.size() > 1;
    Canvas cv;
    cv.w = tile * (closeUp ? 4 : 3);
    cv.h = tile;
    cv.depth.assign(size_t(cv.w) * cv.h, -1e30f);
    cv.rgb = cv::Mat(cv.h, cv.w, CV_8UC3, cv::Scalar(26, 22, 20));
    const Box b = bounds(mesh);
    drawTile(cv, 0, 0, tile, mesh, View{0, 0}, b);
    drawTile(cv, tile, 0, tile, mesh, View{kPi * 0.5f, 0}, b);
    drawTile(cv, 2 * tile, 0, tile, mesh, View{kPi * 0.25f, 0.45f}, b);
    if (closeUp) {
        Mesh first;
        first.parts.push_back(mesh.parts.back());
        drawTile(cv, 3 * tile, 0, tile, first, View{kPi * 0.15f, 0.1f}, bounds(first));
    }
    return cv::imwrite(path, cv.rgb);
}

}  // namespace kit
