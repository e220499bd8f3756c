#pragma once
// Developer mode's options (--dev and the options that go with it). Off by default: a bare
// start and every other option behave as without it.
#include <cstdint>
#include <string>

struct DevOptions {
    bool enabled = false;       // --dev: play with the developer controls
    double from = 0.0;          // --from S: start real-time play at demo second S
    int64_t budgetMiB = 2048;   // --dev-budget MiB: memory for the scenes' checkpoints
    std::string scene;          // --scene NAME: load only that scene (the others are placeholders)
};
