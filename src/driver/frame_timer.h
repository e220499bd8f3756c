#pragma once
// Seconds since the previous call (since the counter's origin on the first call).
float frameTimer();
