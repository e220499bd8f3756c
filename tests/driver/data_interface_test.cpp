#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "driver/data_interface.h"
#include "driver/prototype_part.h"

namespace {

struct CountingPrototype : Prototype_Part {
    void attach(Data_Interface*) override { ++attached; }
    void start(Data_Interface*) override { ++started; }
    int attached = 0;
    int started = 0;
};

class EngineLoop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        engine = std::make_unique<Data_Interface>();
        engine->prototype = &prototype;
    }
    void TearDown() override { SDL_Quit(); }

    static void push(Uint32 type, int scancode) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    uint8_t key(int s) const { return engine->keys[s].load(); }

    CountingPrototype prototype;
    std::unique_ptr<Data_Interface> engine;
};

TEST_F(EngineLoop, InitStartsPrototype) {
    engine->quit = true;
    engine->init();
    EXPECT_FALSE(engine->quit.load());
    EXPECT_EQ(prototype.started, 1);
}

TEST_F(EngineLoop, KeyTable) {
    struct Step {
        Uint32 type;
        int scancode;
    };
    struct Case {
        const char* name;
        std::vector<Step> events;
        std::vector<std::pair<int, int>> keys;  // scancode, expected state
        bool quit;
    };
    const Case cases[] = {
        {"press sets", {{SDL_KEYDOWN, 30}}, {{30, 1}}, false},
        {"space never stays set", {{SDL_KEYDOWN, 44}}, {{44, 0}}, false},
        {"a press clears space", {{SDL_KEYDOWN, 44}, {SDL_KEYDOWN, 30}}, {{44, 0}, {30, 1}}, false},
        {"release clears", {{SDL_KEYDOWN, 30}, {SDL_KEYUP, 30}}, {{30, 0}}, false},
        {"escape last quits", {{SDL_KEYDOWN, 30}, {SDL_KEYDOWN, 41}}, {{41, 1}}, true},
        {"escape not last", {{SDL_KEYDOWN, 41}, {SDL_KEYDOWN, 30}}, {{41, 1}}, false},
        {"scancode above 255 leaves the table", {{SDL_KEYDOWN, 300}}, {{300 & 255, 0}}, false},
        {"other events are dropped", {{SDL_USEREVENT, 0}}, {{0, 0}}, false},
    };
    for (const Case& c : cases) {
        SetUp();
        for (const Step& s : c.events) push(s.type, s.scancode);
        engine->frame();
        for (auto [s, state] : c.keys) EXPECT_EQ(key(s), state) << c.name << " key " << s;
        EXPECT_EQ(engine->quit.load(), c.quit) << c.name;
        EXPECT_EQ(engine->frameCount, 1u) << c.name;
        EXPECT_EQ(prototype.attached, 1) << c.name;
        prototype.attached = 0;
        TearDown();
    }
}

TEST_F(EngineLoop, ScancodeAbove255IsPrintedAndCountsAsLastPressed) {
    testing::internal::CaptureStdout();
    push(SDL_KEYDOWN, 41);
    push(SDL_KEYDOWN, 300);
    engine->frame();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "vkey : 41\nvkey : 300\n");
    EXPECT_FALSE(engine->quit.load());  // Escape was not the last press
}

// While the render thread makes its window, a pass takes no events (SDL's window creation
// waits for one of them on the render thread); once the window exists they are all taken.
TEST_F(EngineLoop, NoEventIsTakenWhileTheWindowIsMade) {
    engine->windowPending = true;
    push(SDL_KEYDOWN, 30);
    engine->frame();
    EXPECT_EQ(key(30), 0);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 1) << "the press stays queued";
    EXPECT_EQ(prototype.attached, 1) << "the pass still attaches";
    engine->windowPending = false;
    engine->frame();
    EXPECT_EQ(key(30), 1);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0);
}

TEST_F(EngineLoop, EmptyPassChangesNothing) {
    engine->keys[30] = 1;
    engine->frame();
    EXPECT_EQ(key(30), 1);
    EXPECT_FALSE(engine->quit.load());
    EXPECT_EQ(prototype.attached, 1);
}

// An empty pass waits for events (up to kEventWaitMs) instead of returning at once, so the
// main loop leaves its core to the renderer; a pass that spun would run thousands of times
// in the same span.
TEST_F(EngineLoop, EmptyPassesWaitForEvents) {
    const auto start = std::chrono::steady_clock::now();
    int passes = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(100)) {
        engine->frame();
        ++passes;
    }
    std::printf("empty passes in 100 ms: %d\n", passes);
    EXPECT_LE(passes, 100 / Data_Interface::kEventWaitMs + 50);
    EXPECT_EQ(prototype.attached, passes);
}

// Escape pressed while the loop waits ends it in that pass.
TEST_F(EngineLoop, EscapeWhileWaitingQuitsAtOnce) {
    std::thread presser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.scancode = static_cast<SDL_Scancode>(kScancodeEscape);
        SDL_PushEvent(&e);
    });
    testing::internal::CaptureStdout();
    int passes = 0;
    while (!engine->quit.load() && passes < 5000) {
        engine->frame();
        ++passes;
    }
    presser.join();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "vkey : 41\n");
    EXPECT_TRUE(engine->quit.load());
    EXPECT_LT(passes, 5000);
}

TEST(EngineInit, MissingPrototypeExitsWithOne) {
    EXPECT_EXIT(
        {
            std::freopen("/dev/null", "r", stdin);
            Data_Interface engine;
            engine.init();
        },
        ::testing::ExitedWithCode(1), "");
}

}  // namespace
