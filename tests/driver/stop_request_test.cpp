// Stop requests: the exit codes and names, the first reason kept, and Escape seen as SDL queues
// it, whichever thread then takes it from the queue.
#include "driver/stop_request.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <utility>

namespace {

using stop_request::Reason;

TEST(StopRequest, ExitCodesAndNames) {
    struct Case {
        Reason reason;
        bool capture;
        int code;
        const char* name;
    };
    const Case cases[] = {
        {Reason::Escape, false, 0, "Escape"},      // the real-time show's normal way out
        {Reason::Escape, true, 1, "Escape"},       // a capture then holds less than was asked
        {Reason::Interrupt, false, 130, "SIGINT"}, // 128 + the signal, in both modes
        {Reason::Interrupt, true, 130, "SIGINT"},
        {Reason::Terminate, false, 143, "SIGTERM"},
        {Reason::Terminate, true, 143, "SIGTERM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(stop_request::exitCode(c.reason, c.capture), c.code) << c.name << " capture " << c.capture;
        EXPECT_EQ(std::string(stop_request::name(c.reason)), c.name);
    }
}

TEST(StopRequest, TheFirstReasonIsKept) {
    stop_request::reset();
    EXPECT_EQ(stop_request::pending(), Reason::None);
    stop_request::request(Reason::Terminate);
    stop_request::request(Reason::Escape);
    EXPECT_EQ(stop_request::pending(), Reason::Terminate);
    stop_request::reset();
}

TEST(StopRequest, SignalsBecomeRequests) {
    stop_request::installSignalHandlers();
    for (auto [signal, reason] : {std::pair{SIGTERM, Reason::Terminate}, std::pair{SIGINT, Reason::Interrupt}}) {
        stop_request::reset();
        ASSERT_EQ(raise(signal), 0);  // the process goes on
        EXPECT_EQ(stop_request::pending(), reason) << signal;
    }
    stop_request::reset();
}

// The render thread's input step takes every event without looking at it: Escape is kept all
// the same, as SDL queues it. Other keys are not requests.
TEST(StopRequest, EscapeIsSeenWhoeverDrainsTheQueue) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    stop_request::reset();
    stop_request::watchEscape();
    auto push = [](SDL_Scancode key, Uint32 type) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.scancode = key;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    };
    auto drain = [] {
        SDL_Event e;
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        }
    };
    push(SDL_SCANCODE_Q, SDL_KEYDOWN);
    push(SDL_SCANCODE_ESCAPE, SDL_KEYUP);
    drain();
    EXPECT_EQ(stop_request::pending(), Reason::None);
    push(SDL_SCANCODE_ESCAPE, SDL_KEYDOWN);
    push(SDL_SCANCODE_A, SDL_KEYDOWN);  // Escape is not the last key of the batch
    drain();
    EXPECT_EQ(stop_request::pending(), Reason::Escape);
    stop_request::reset();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
