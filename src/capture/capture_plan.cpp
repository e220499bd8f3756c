#include "capture/capture_plan.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "driver/data_interface.h"
#include "driver/part.h"
#include "driver/scene_table.h"

namespace capture_plan {

float stepBefore(int frame, double fps) { return frame == 0 ? 0.0f : static_cast<float>(1.0 / fps); }

Clock save(const Part& p) {
    return {p.localTime, p.updateCount, p.timeStep, p.tuneX, p.tuneY, p.display, p.engine, p.done};
}

void restore(Part& p, const Clock& c) {
    p.localTime = c.localTime;
    p.updateCount = c.updateCount;
    p.timeStep = c.timeStep;
    p.tuneX = c.tuneX;
    p.tuneY = c.tuneY;
    p.display = c.display;
    p.engine = c.engine;
    p.done = c.done;
}

namespace {

// The first frame at or after demo time t: ceil(t x fps), forgiving a rounding hair, and at
// most `limit` (a time far beyond the show would not fit an int).
int frameAt(double t, double fps, int limit) {
    const double frame = std::ceil(t * fps - 1e-6);
    if (!(frame < static_cast<double>(limit))) return limit;
    return frame > 0.0 ? static_cast<int>(frame) : 0;
}

}  // namespace

Timeline simulate(Part* const scenes[], Data_Interface& engine, double fps, int maxFrames) {
    Clock saved[scene_table::kSlots];
    for (int s = 0; s < scene_table::kSlots; ++s) {
        if (scenes[s] != nullptr) saved[s] = save(*scenes[s]);
    }
    const float savedDelta = engine.frameDelta;

    Timeline t;
    const Part* last = scenes[scene_table::kLastSlot];
    for (int frame = 0; frame < maxFrames; ++frame) {
        engine.frameDelta = stepBefore(frame, fps);
        scene_table::updateActive(scenes, engine);
        if (last != nullptr && last->done) {
            t.endFrame = frame;
            break;
        }
        t.drawnSlot.push_back(static_cast<int8_t>(scene_table::activeSlot(scenes)));
    }

    for (int s = 0; s < scene_table::kSlots; ++s) {
        if (scenes[s] != nullptr) restore(*scenes[s], saved[s]);
    }
    engine.frameDelta = savedDelta;
    return t;
}

std::vector<Span> spans(const Timeline& timeline) {
    std::vector<Span> result;
    for (int slot : scene_table::kPlayOrder) {
        Span span{slot, -1, -1};
        for (int f = 0; f < timeline.frameCount(); ++f) {
            if (timeline.drawnSlot[f] != slot) continue;
            if (span.first < 0) span.first = f;
            span.end = f + 1;
        }
        if (span.first >= 0) result.push_back(span);
    }
    return result;
}

std::vector<int> selectFrames(const CaptureOptions& o, const Timeline& timeline, std::string& error) {
    std::vector<int> frames;
    const int available = timeline.frameCount();
    if (o.perScene > 0) {
        // From the middle of each scene: its subject is formed there, so the cost is typical.
        for (const Span& s : spans(timeline)) {
            const int start = s.first + (s.end - s.first) / 2;
            for (int f = start; f < std::min(s.end, start + o.perScene); ++f) frames.push_back(f);
        }
    } else if (o.cuts > 0) {
        const std::vector<Span> all = spans(timeline);
        for (size_t k = 1; k < all.size(); ++k) {
            const int cut = all[k].first;
            const int first = std::max({all[k - 1].first, cut - o.cuts, frames.empty() ? 0 : frames.back() + 1});
            for (int f = first; f < std::min(all[k].end, cut + o.cuts); ++f) frames.push_back(f);
        }
    } else {
        int first = frameAt(o.from, o.fps, available);
        int end = o.to < 0.0 ? available : frameAt(o.to, o.fps, available);
        if (!o.scene.empty()) {
            // The scene's span, within --from and --to when they are given.
            const int slot = scene_table::slotOf(o.scene);
            int spanFirst = 0;
            int spanEnd = 0;
            for (const Span& s : spans(timeline)) {
                if (s.slot == slot) {
                    spanFirst = s.first;
                    spanEnd = s.end;
                }
            }
            first = std::max(first, spanFirst);
            end = std::min(end, spanEnd);
        }
        // A step longer than the show takes the first frame alone.
        const double step = std::min(o.every * o.fps, static_cast<double>(available) + 1.0);
        const int stride = o.every > 0.0 ? std::max(1, static_cast<int>(std::lround(step))) : 1;
        for (int f = first; f < end; f += stride) frames.push_back(f);
    }
    if (o.frames > 0 && static_cast<int>(frames.size()) > o.frames) frames.resize(static_cast<size_t>(o.frames));
    if (frames.empty()) {
        error = "capture: the options select no frame (the show has " + std::to_string(available) + " frames at " +
                std::to_string(o.fps) + " fps";
        error += timeline.endFrame < 0 ? ", and did not end within the planning limit)" : ")";
    }
    return frames;
}

}  // namespace capture_plan
