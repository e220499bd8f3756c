#pragma once
// What the active scene's own update and render cost: the time and heap allocations spent
// inside exactly those two calls, summed over a frame. The sequencer's bookkeeping, the present
// pass, capture's read-back and PNG encoding stay outside. Capture mode attaches a meter to
// the Entrypoint; the real-time show has none.
//
//   meter.reset();                      // before the frame
//   { SceneMeter::Span s(meter_or_null); scene->update(engine); }
//   { SceneMeter::Span s(meter_or_null); scene->render(engine, eye, offset); }
//   meter.cpuSeconds ...                // after the frame
#include <cstdint>

class SceneMeter {
public:
    double wallSeconds = 0.0;  // the performance counter
    double cpuSeconds = 0.0;   // CPU time of the calling (render) thread
    int64_t allocations = 0;   // operator new calls on that thread; only with countsAllocations()

    // True in a build with the counting operator new (see platform/allocation_count.h).
    static bool countsAllocations();

    void reset();

    // Measures its own lifetime into the meter; does nothing with a null meter.
    class Span {
    public:
        explicit Span(SceneMeter* meter);
        ~Span();
        Span(const Span&) = delete;
        Span& operator=(const Span&) = delete;

    private:
        SceneMeter* meter_;
        int64_t wallStart_ = 0;
        int64_t cpuStart_ = 0;
        int64_t allocationStart_ = 0;
    };
};
