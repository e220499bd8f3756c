#include "driver/data_interface.h"

#include <SDL.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "dev/key_queue.h"
#include "driver/prototype_part.h"
#include "platform/process.h"

Data_Interface engineData;

void Data_Interface::init() {
    quit.store(false, std::memory_order_relaxed);
    if (prototype == nullptr) {
        std::cout << "PROTOTYPE NOT SET!!" << std::endl;
        std::string word;
        std::cin >> word;
        platform::endProcess(1);
    }
    prototype->start(this);
}

void Data_Interface::frame() {
    ++frameCount;
    if (windowPending.load(std::memory_order_acquire)) {
        SDL_Delay(kEventWaitMs);
        prototype->attach(this);
        return;
    }
    SDL_Event event;
    bool tookAny = false;
    int lastPressed = 0;
    // NOTE: the pass sleeps until an event arrives or kEventWaitMs pass, so the loop no longer
    // keeps a core busy; an event that is queued (Escape) still returns at once.
    bool have = SDL_WaitEventTimeout(&event, kEventWaitMs) != 0;
    for (; have; have = SDL_PollEvent(&event) != 0) {
        tookAny = true;
        if (event.type == SDL_KEYDOWN) {
            const int s = event.key.keysym.scancode;
            if (s >= 0 && s < 256) keys[s].store(1, std::memory_order_relaxed);
            dev::offerKey(s, (event.key.keysym.mod & KMOD_SHIFT) != 0);
            // Every press clears Space, its own included: Space is never seen as pressed.
            keys[kScancodeSpace].store(0, std::memory_order_relaxed);
            lastPressed = s;
            std::printf("vkey : %d\n", s);
        } else if (event.type == SDL_KEYUP) {
            const int s = event.key.keysym.scancode;
            if (s >= 0 && s < 256) keys[s].store(0, std::memory_order_relaxed);
        }
    }
    if (tookAny && lastPressed == kScancodeEscape) quit.store(true, std::memory_order_relaxed);
    prototype->attach(this);
}
