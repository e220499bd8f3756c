// The depth-camera recording that opens the show: a person dancing in front of a back wall.
#include "generator/depth_recording.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "generator/catalogue.h"
#include "generator/image_io.h"
#include "generator/rng.h"

namespace content {

namespace {

struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 normalize(V3 a) { return a * (1.0 / std::sqrt(dot(a, a))); }

// The camera: 320 x 240, 58 degrees across, 1.2 m above the floor, looking level along +z.
const double kFocal = 285.0, kCx = 159.5, kCy = 119.5;
const double kFloorY = -1200.0;
const double kLoopSeconds = (kDepthLast - kDepthFirst + 1) / 18.0;

// One limb or body part: a capsule between two joints, with the joints' velocities.
struct Capsule {
    V3 a, b;
    double r;
    V3 va, vb;  // millimetres per recording frame
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // the pixels it may cover (with the projector's parallax)
};

// Marks the rectangle of pixels the capsule can cover, seen from the lens or the projector.
void boundOnScreen(Capsule& c) {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const V3& p : {c.a, c.b}) {
        const double z = std::max(p.z - c.r, 100.0);
        const double px = kCx + kFocal * p.x / z, py = kCy - kFocal * p.y / z, pr = kFocal * c.r / z;
        minX = std::min(minX, px - pr), maxX = std::max(maxX, px + pr);
        minY = std::min(minY, py - pr), maxY = std::max(maxY, py + pr);
    }
    const double parallax = kFocal * 75.0 / 1500.0;
    c.x0 = static_cast<int>(std::floor(minX - parallax - 2)), c.x1 = static_cast<int>(std::ceil(maxX + parallax + 2));
    c.y0 = static_cast<int>(std::floor(minY - 2)), c.y1 = static_cast<int>(std::ceil(maxY + 2));
}

// The skeleton at time t (seconds into the loop), as capsules. Every motion is a sine with a
// whole number of cycles per loop, so the recording loops without a jump.
std::vector<Capsule> bodyAt(double t) {
    const double th = 6.283185307179586 * t / kLoopSeconds;
    const double beat = std::sin(52.0 * th);  // about 2 beats per second
    const V3 root{480.0 * std::sin(th) + 160.0 * std::sin(3.0 * th + 1.0), kFloorY + 900.0 + 35.0 * beat,
                  2350.0 + 200.0 * std::sin(2.0 * th + 0.5)};
    const double yaw = 0.45 * std::sin(2.0 * th + 0.3) + 0.15 * std::sin(7.0 * th);
    const double lean = 0.12 * std::sin(4.0 * th) + 0.05 * std::sin(26.0 * th);
    const V3 up{0, 1, 0};
    const V3 right{std::cos(yaw), 0, std::sin(yaw)};
    const V3 fwd{std::sin(yaw), 0, -std::cos(yaw)};  // towards the camera
    const V3 upT = up * std::cos(lean) + right * std::sin(lean);
    const V3 rightT = right * std::cos(lean) - up * std::sin(lean);

    std::vector<Capsule> c;
    auto add = [&](V3 a, V3 b, double r) { c.push_back({a, b, r, {}, {}}); };
    const V3 chest = root + upT * 430.0, neck = root + upT * 560.0, head = root + upT * 700.0;
    add(root, chest, 150.0);                                          // torso
    add(root - rightT * 60.0, root + rightT * 60.0, 140.0);           // hips
    add(chest - rightT * 80.0, chest + rightT * 80.0, 120.0);         // chest
    add(neck, neck + upT * 40.0, 55.0);                               // neck
    add(head, head + upT * 30.0, 105.0);                              // head

    const double raise = std::pow(std::max(0.0, std::sin(3.0 * th + 2.0)), 4.0);  // both arms up now and then
    for (int side = -1; side <= 1; side += 2) {
        const double ph = side < 0 ? 0.0 : 1.9;
        const V3 out = rightT * side;
        const V3 shoulder = root + upT * 500.0 + out * 185.0;
        const double lift = 0.35 + 1.0 * (0.5 + 0.5 * std::sin(5.0 * th + ph)) + 0.2 * std::sin(26.0 * th + ph) + 1.3 * raise;
        const double forward = 0.5 * std::sin(4.0 * th + 2.0 * ph);
        const V3 hang = up * -1.0;
        V3 upper = normalize(hang * std::cos(lift) + (out * std::cos(forward) + fwd * std::sin(forward)) * std::sin(lift));
        const V3 elbow = shoulder + upper * 290.0;
        const double bend = 0.3 + 0.9 * (0.5 + 0.5 * std::sin(7.0 * th + 2.0 * ph)) + 0.3 * std::sin(52.0 * th + ph);
        V3 towards = fwd * 0.6 + up * 0.8;
        towards = normalize(towards - upper * dot(towards, upper));
        const V3 fore = upper * std::cos(bend) + towards * std::sin(bend);
        const V3 wrist = elbow + fore * 250.0;
        add(shoulder, elbow, 55.0);
        add(elbow, wrist, 45.0);
        add(wrist, wrist + fore * 90.0, 50.0);  // hand

        const V3 hip = root + right * (95.0 * side) - up * 40.0;
        const double stepPhase = side < 0 ? 0.0 : 3.14159;
        const double swing = 0.22 * std::sin(26.0 * th + stepPhase);
        const double knee = 0.15 + 0.25 * (0.5 + 0.5 * std::sin(26.0 * th + stepPhase + 1.0));
        const V3 thighDir = normalize(up * -std::cos(swing) + fwd * std::sin(swing) + right * (0.08 * side));
        const V3 kneeJ = hip + thighDir * 430.0;
        const V3 shinDir = normalize(up * -std::cos(swing - knee) + fwd * std::sin(swing - knee));
        const V3 ankle = kneeJ + shinDir * 420.0;
        add(hip, kneeJ, 80.0);
        add(kneeJ, ankle, 60.0);
        add(ankle, ankle + fwd * 160.0 + up * -30.0, 50.0);  // foot
    }
    return c;
}

// The body at frame time, with joint velocities from the poses half a frame either side.
std::vector<Capsule> bodyWithMotion(double t) {
    std::vector<Capsule> now = bodyAt(t);
    const std::vector<Capsule> before = bodyAt(t - 0.5 / 18.0), after = bodyAt(t + 0.5 / 18.0);
    for (size_t i = 0; i < now.size(); ++i) {
        now[i].va = after[i].a - before[i].a;
        now[i].vb = after[i].b - before[i].b;
        boundOnScreen(now[i]);
    }
    return now;
}

// Distance along the unit ray (o, d) to the capsule, or -1; `s` gets the position of the hit
// between the capsule's joints (0 .. 1).
double hitCapsule(V3 o, V3 d, const Capsule& c, double& s) {
    const V3 ba = c.b - c.a, oa = o - c.a;
    const double baba = dot(ba, ba), bard = dot(ba, d), baoa = dot(ba, oa), rdoa = dot(d, oa), oaoa = dot(oa, oa);
    const double a = baba - bard * bard;
    double b = baba * rdoa - baoa * bard;
    double cc = baba * oaoa - baoa * baoa - c.r * c.r * baba;
    double h = b * b - a * cc;
    if (h < 0.0) return -1.0;
    const double t = (-b - std::sqrt(h)) / a;
    const double y = baoa + t * bard;
    if (y > 0.0 && y < baba) {
        s = y / baba;
        return t;
    }
    const V3 oc = y <= 0.0 ? oa : o - c.b;
    b = dot(d, oc);
    cc = dot(oc, oc) - c.r * c.r;
    h = b * b - cc;
    if (h <= 0.0) return -1.0;
    s = y <= 0.0 ? 0.0 : 1.0;
    return -b - std::sqrt(h);
}

// The room: a back wall turned a little, the floor, and a low cabinet against the wall.
double hitRoom(V3 o, V3 d) {
    double best = 1e9;
    const V3 wallN = normalize(V3{std::sin(0.1), 0.0, -std::cos(0.1)});
    const V3 wallP{0, 0, 3300};
    const double dn = dot(d, wallN);
    if (dn < 0.0) best = std::min(best, dot(wallP - o, wallN) / dn);
    if (d.y < 0.0) {
        const double t = (kFloorY - o.y) / d.y;
        if (t > 0.0) best = std::min(best, t);
    }
    // Cabinet: an axis-aligned box (slab test).
    const V3 lo{-1750, kFloorY, 2750}, hi{-950, kFloorY + 720, 3300};
    double t0 = 0.0, t1 = 1e9;
    const double os[3] = {o.x, o.y, o.z}, ds[3] = {d.x, d.y, d.z}, ls[3] = {lo.x, lo.y, lo.z}, hs[3] = {hi.x, hi.y, hi.z};
    for (int k = 0; k < 3; ++k) {
        if (std::fabs(ds[k]) < 1e-12) {
            if (os[k] < ls[k] || os[k] > hs[k]) return best;
            continue;
        }
        double a = (ls[k] - os[k]) / ds[k], b = (hs[k] - os[k]) / ds[k];
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
    }
    if (t0 <= t1 && t0 > 0.0) best = std::min(best, t0);
    return best;
}

uchar signalByte(double value) { return static_cast<uchar>(std::clamp(std::lround(128.0 + 128.0 * value), 0L, 255L)); }

}  // namespace

DepthFrame renderDepthFrame(int number) {
    const int index = number - kDepthFirst;
    const double t = index / 18.0;
    const std::vector<Capsule> body = bodyWithMotion(t);
    const V3 projector{75.0, 0.0, 0.0};  // the pattern projector sits beside the lens
    Rng rng(static_cast<uint64_t>(number) * 7919u + 17u);
    DepthFrame f{cv::Mat(kDepthHeight, kDepthWidth, CV_8UC3, cv::Scalar(0, 0, 0)),
                 cv::Mat(kDepthHeight, kDepthWidth, CV_8UC3, cv::Scalar(0, 128, 128))};
    f.signal.setTo(cv::Scalar(128, 128, 0));
    for (int y = 0; y < kDepthHeight; ++y)
        for (int x = 0; x < kDepthWidth; ++x) {
            const V3 d = normalize(V3{(x - kCx) / kFocal, -(y - kCy) / kFocal, 1.0});
            double best = hitRoom({}, d);
            const Capsule* hit = nullptr;
            double hitS = 0.0;
            for (const Capsule& c : body) {
                if (x < c.x0 || x > c.x1 || y < c.y0 || y > c.y1) continue;
                double s = 0.0;
                const double th = hitCapsule({}, d, c, s);
                if (th > 0.0 && th < best) best = th, hit = &c, hitS = s;
            }
            const V3 p = d * best;
            // The projector's shadow: background the pattern cannot reach reads as no depth.
            bool shadowed = false;
            if (hit == nullptr) {
                const V3 toP = p - projector;
                const double len = std::sqrt(dot(toP, toP));
                const V3 pd = toP * (1.0 / len);
                for (const Capsule& c : body) {
                    if (x < c.x0 || x > c.x1 || y < c.y0 || y > c.y1) continue;
                    double s = 0.0;
                    const double th = hitCapsule(projector, pd, c, s);
                    if (th > 0.0 && th < len - 1.0) {
                        shadowed = true;
                        break;
                    }
                }
            }
            // Noise grows with the square of the distance, as with a structured-light camera.
            const double noise = (rng.uniform() + rng.uniform() + rng.uniform() - 1.5) * 2.0e-6 * p.z * p.z;
            const long mm = shadowed || p.z > 8000.0 ? 0 : std::clamp(std::lround(p.z + noise), 0L, 65535L);
            f.depth.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<uchar>(mm & 255), static_cast<uchar>(mm >> 8), 0);
            if (hit != nullptr) {
                const V3 v = hit->va + (hit->vb - hit->va) * hitS;
                const double du = kFocal * (v.x * p.z - p.x * v.z) / (p.z * p.z);
                const double dv = -kFocal * (v.y * p.z - p.y * v.z) / (p.z * p.z);
                f.signal.at<cv::Vec3b>(y, x) = cv::Vec3b(signalByte(du / 8.0), signalByte(dv / 8.0), 0);
            }
        }
    return f;
}

namespace {

std::string frameName(const char* prefix, int n) {
    char name[64];
    std::snprintf(name, sizeof name, "newresources/3/%s%05d.tiff", prefix, n);
    return name;
}

// A strip of eight frames across the recording: depth (near bright, far dark, no reading
// red) above, the motion signal below.
void previewDepthStrip(const Context& ctx, const std::string&) {
    const int frames = 8;
    cv::Mat strip(kDepthHeight * 2, kDepthWidth * frames, CV_8UC3, cv::Scalar(0, 0, 0));
    for (int k = 0; k < frames; ++k) {
        const DepthFrame f = renderDepthFrame(kDepthFirst + k * (kDepthLast - kDepthFirst) / (frames - 1));
        for (int y = 0; y < kDepthHeight; ++y)
            for (int x = 0; x < kDepthWidth; ++x) {
                const int mm = depthMillimetres(f.depth, x, y);
                const uchar g = static_cast<uchar>(std::clamp((4000 - mm) * 255 / 2500, 0, 255));
                strip.at<cv::Vec3b>(y, k * kDepthWidth + x) = mm == 0 ? cv::Vec3b(0, 0, 160) : cv::Vec3b(g, g, g);
                const cv::Vec3b s = f.signal.at<cv::Vec3b>(y, x);
                strip.at<cv::Vec3b>(kDepthHeight + y, k * kDepthWidth + x) = cv::Vec3b(64, s[1], s[0]);
            }
    }
    writePreview(ctx, "depth_strip.png", strip);
}

// The recording: frames 175 to 639, each a depth file and its motion-signal twin. The person
// crosses the room, turns, dances and throws up both arms now and then, 1.8 to 2.6 m from the
// camera; the wall stands 3.3 m away.
CONTENT_ASSETS(depthRecording) {
    for (int n = kDepthFirst; n <= kDepthLast; ++n) {
        addAsset({frameName("D_", n), 1, 0.02,
                  [n](const Context&, const std::string& tmp) { writeImage(renderDepthFrame(n).depth, ".tiff", tmp); },
                  n == kDepthFirst ? previewDepthStrip : std::function<void(const Context&, const std::string&)>()});
        addAsset({frameName("Dv", n), 1, 0.02,
                  [n](const Context&, const std::string& tmp) { writeImage(renderDepthFrame(n).signal, ".tiff", tmp); },
                  nullptr});
    }
}

}  // namespace
}  // namespace content
