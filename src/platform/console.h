#pragma once
// The console, as the show uses it: hidden in full-screen mode, shown in windowed mode, and
// a bright-red attribute for shader compile errors.
//
// NOTE: on Linux the log goes to the terminal the show was started from; there is no
// console window of our own, so hide and show are no-ops. Text attributes become ANSI
// colour sequences, and only when standard output is a terminal: a redirected log stays
// plain text.
namespace platform {

void hideConsole();
void showConsole();

// 7: the default colour; 12: bright red. Other values are ignored.
void setConsoleTextAttribute(int attribute);

// Clears the terminal (the console's "cls"): on a terminal, the screen is cleared and the
// cursor goes home; a log written into a file or a pipe gets nothing.
void clearConsole();

}  // namespace platform
