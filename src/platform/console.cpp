#include "platform/console.h"

#include <unistd.h>

#include <cstdio>

namespace platform {

void hideConsole() {}
void showConsole() {}

void setConsoleTextAttribute(int attribute) {
    if (!isatty(fileno(stdout))) return;
    if (attribute == 12) {
        std::fputs("\033[1;31m", stdout);
    } else if (attribute == 7) {
        std::fputs("\033[0m", stdout);
    }
}

void clearConsole() {
    if (!isatty(fileno(stdout))) return;
    std::fputs("\033[H\033[2J", stdout);
    std::fflush(stdout);
}

}  // namespace platform
