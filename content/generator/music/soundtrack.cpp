#include "generator/music/soundtrack.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace music {

Soundtrack renderSoundtrack(RenderStats* stats, Score* scoreOut) {
    const std::vector<SceneSpan> timeline = computeTimeline();
    Soundtrack s;
    s.sections = sectionsOf(timeline);
    s.showEnd = timeline.back().end();
    const Score score = compose(timeline);
    s.pcm = renderScore(score, stats);
    if (scoreOut != nullptr) *scoreOut = score;
    return s;
}

double rmsDb(const Pcm& pcm, double from, double to) {
    const size_t a = static_cast<size_t>(std::max(0.0, from) * 44100.0);
    const size_t b = std::min(pcm.frames(), static_cast<size_t>(std::max(0.0, to) * 44100.0));
    if (b <= a) return -200.0;
    double sum = 0.0;
    for (size_t i = 2 * a; i < 2 * b; ++i) sum += static_cast<double>(pcm.samples[i]) * pcm.samples[i];
    const double rms = std::sqrt(sum / static_cast<double>(2 * (b - a))) / 32768.0;
    return 20.0 * std::log10(std::max(rms, 1e-10));
}

double peakDb(const Pcm& pcm) {
    int peak = 0;
    for (int16_t v : pcm.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
    return 20.0 * std::log10(std::max(peak, 1) / 32768.0);
}

std::string shortName(const std::string& scene) {
    std::string n = scene.rfind("Part_", 0) == 0 ? scene.substr(5) : scene;
    if (n.rfind("ParticleShadow", 0) == 0 && n.size() > 14) n = n.substr(14);
    if (n == "ParticleShadow") n = "Walkers";
    if (n == "DEMOLidarTree") n = "LidarTree";
    if (n == "KinectEffect") n = "Kinect";
    return n;
}

void writeSoundtrackPicture(const Pcm& pcm, const std::vector<Section>& sections, double showEnd,
                            const std::string& pngPath) {
    const int width = 1800, waveH = 180, specH = 420, top = 44, gap = 8, bottom = 26;
    const int height = top + waveH + gap + specH + bottom;
    cv::Mat img(height, width, CV_8UC3, cv::Scalar(18, 14, 12));
    const size_t frames = pcm.frames();
    if (frames == 0) throw std::runtime_error("music: nothing to draw for " + pngPath);
    const double seconds = static_cast<double>(frames) / 44100.0;
    auto xOf = [&](double t) { return static_cast<int>(t / seconds * width); };

    // Waveform: the min/max envelope and the RMS of each column.
    const int mid = top + waveH / 2;
    for (int x = 0; x < width; ++x) {
        const size_t a = static_cast<size_t>(static_cast<double>(x) / width * frames);
        const size_t b = std::max(a + 1, static_cast<size_t>(static_cast<double>(x + 1) / width * frames));
        float lo = 0.0f, hi = 0.0f;
        double sum = 0.0;
        for (size_t i = a; i < b && i < frames; ++i) {
            const float v = 0.5f * (pcm.samples[2 * i] + pcm.samples[2 * i + 1]) / 32768.0f;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            sum += static_cast<double>(v) * v;
        }
        const float rms = static_cast<float>(std::sqrt(sum / static_cast<double>(b - a)));
        const int half = waveH / 2 - 2;
        cv::line(img, {x, mid - static_cast<int>(hi * half)}, {x, mid - static_cast<int>(lo * half)}, cv::Scalar(150, 110, 70));
        cv::line(img, {x, mid - static_cast<int>(rms * half)}, {x, mid + static_cast<int>(rms * half)}, cv::Scalar(235, 200, 150));
    }

    // Spectrogram: a Hann-windowed FFT per column, rows on a log frequency axis, 30 Hz – 18 kHz.
    const int fft = 4096;
    cv::Mat window(1, fft, CV_32F);
    for (int i = 0; i < fft; ++i) window.at<float>(i) = 0.5f - 0.5f * std::cos(2.0f * 3.14159265f * i / (fft - 1));
    cv::Mat levels(specH, width, CV_8U);
    cv::Mat in(1, fft, CV_32F), out;
    for (int x = 0; x < width; ++x) {
        const long centre = static_cast<long>((x + 0.5) / width * frames);
        for (int i = 0; i < fft; ++i) {
            const long k = centre - fft / 2 + i;
            float v = 0.0f;
            if (k >= 0 && k < static_cast<long>(frames))
                v = 0.5f * (pcm.samples[2 * k] + pcm.samples[2 * k + 1]) / 32768.0f;
            in.at<float>(i) = v * window.at<float>(i);
        }
        cv::dft(in, out, cv::DFT_COMPLEX_OUTPUT);
        for (int y = 0; y < specH; ++y) {
            const double f = 30.0 * std::pow(18000.0 / 30.0, static_cast<double>(specH - 1 - y) / (specH - 1));
            const int bin = std::clamp(static_cast<int>(f / 44100.0 * fft), 1, fft / 2 - 1);
            const cv::Vec2f c = out.at<cv::Vec2f>(0, bin);
            const double mag = std::sqrt(c[0] * c[0] + c[1] * c[1]) / (fft / 4.0);
            const double db = 20.0 * std::log10(std::max(mag, 1e-9));
            levels.at<uchar>(y, x) = static_cast<uchar>(std::clamp((db + 100.0) / 90.0 * 255.0, 0.0, 255.0));
        }
    }
    cv::Mat coloured;
    cv::applyColorMap(levels, coloured, cv::COLORMAP_INFERNO);
    const int specTop = top + waveH + gap;
    coloured.copyTo(img(cv::Rect(0, specTop, width, specH)));
    for (double f : {100.0, 1000.0, 10000.0}) {
        const int y = specTop + static_cast<int>((1.0 - std::log(f / 30.0) / std::log(18000.0 / 30.0)) * (specH - 1));
        cv::line(img, {0, y}, {10, y}, cv::Scalar(200, 200, 200));
        cv::putText(img, f >= 1000.0 ? std::to_string(static_cast<int>(f / 1000)) + "k" : "100", {12, y + 4},
                    cv::FONT_HERSHEY_SIMPLEX, 0.35, cv::Scalar(200, 200, 200), 1, cv::LINE_AA);
    }

    // Scene changes, the show's end, and a time scale every 30 s.
    for (size_t i = 0; i < sections.size(); ++i) {
        const int x = xOf(sections[i].start);
        cv::line(img, {x, top - 6}, {x, height - bottom}, cv::Scalar(90, 230, 120), 1);
        char label[64];
        std::snprintf(label, sizeof label, "%s %.1f", shortName(sections[i].scene).c_str(), sections[i].start);
        cv::putText(img, label, {x + 3, i % 2 ? 34 : 16}, cv::FONT_HERSHEY_SIMPLEX, 0.42, cv::Scalar(120, 240, 150), 1,
                    cv::LINE_AA);
    }
    const int xe = xOf(showEnd);
    cv::line(img, {xe, top - 6}, {xe, height - bottom}, cv::Scalar(80, 80, 240), 1);
    cv::putText(img, "end", {xe + 3, 16}, cv::FONT_HERSHEY_SIMPLEX, 0.42, cv::Scalar(120, 120, 250), 1, cv::LINE_AA);
    for (int t = 0; t < seconds; t += 30) {
        const int x = xOf(t);
        cv::line(img, {x, height - bottom}, {x, height - bottom + 5}, cv::Scalar(200, 200, 200));
        cv::putText(img, std::to_string(t) + "s", {x + 2, height - 8}, cv::FONT_HERSHEY_SIMPLEX, 0.38,
                    cv::Scalar(200, 200, 200), 1, cv::LINE_AA);
    }
    if (!cv::imwrite(pngPath, img)) throw std::runtime_error("music: cannot write " + pngPath);
}

}  // namespace music
