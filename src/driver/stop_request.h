#pragma once
// A request to stop before the show's end: Escape, SIGINT or SIGTERM. Any thread, and a signal
// handler, may ask; the first reason asked for is kept. The real-time show then ends at once
// from the main thread; a capture ends on the render thread between two frames, with its files
// complete (capture_session.h).
//
//   SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");   // before SDL_Init
//   stop_request::installSignalHandlers();
//   stop_request::watchEscape();                      // after SDL_Init
//   if (stop_request::pending() != stop_request::Reason::None) ...
namespace stop_request {

enum class Reason : int { None = 0, Escape, Interrupt, Terminate };

// Keeps `reason` unless a reason is already kept. Safe in a signal handler.
void request(Reason reason);
Reason pending();

// The exit code for a stop: 130 for SIGINT and 143 for SIGTERM (128 + the signal, as a shell
// reports them); Escape ends the real-time show normally (0) and a capture with 1, since its
// files then hold less than was asked for.
int exitCode(Reason reason, bool capture);
// "Escape", "SIGINT", "SIGTERM" ("none" for None).
const char* name(Reason reason);

// SIGINT and SIGTERM become stop requests. SDL must be kept from installing its own handlers
// (SDL_HINT_NO_SIGNAL_HANDLERS before SDL_Init): they turn both signals into a quit event that
// the show does not act on.
void installSignalHandlers();
// An Escape key press becomes a stop request as SDL queues it, so it is never lost to the
// thread that happens to take it from the queue. Call after SDL_Init.
void watchEscape();

// Tests only: forgets the kept reason.
void reset();

}  // namespace stop_request
