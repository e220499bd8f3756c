#pragma once
// Developer mode's render loop: the show in real time with the music as the clock, and the
// transport's keys (transport.h) acted on between frames. Every action prints a "dev:" line.
#include "dev/dev_options.h"

struct DevShow;

// Render thread, after loading; never returns (the show's end or Escape end the process).
[[noreturn]] void runDev(const DevShow& show, const DevOptions& options);
