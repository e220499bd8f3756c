// Process entry: the launch dialog, then the engine's input loop on the main thread.
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "capture/capture_session.h"
#include "dev/key_queue.h"
#include "driver/data_interface.h"
#include "driver/display_mode_list.h"
#include "driver/entrypoint.h"
#include "driver/launch_dialog.h"
#include "driver/options.h"
#include "driver/stop_request.h"
#include "gpu/program_registry.h"
#include "platform/console.h"
#include "platform/huge_pages.h"
#include "platform/launch_dialog_window.h"
#include "platform/process.h"

int main(int argc, char** argv) {
    platform::restartWithHugePages(argv);
    Options options;
    std::string error;
    if (!parseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "velluna: %s\n%s", error.c_str(), usageText());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }

    platform::hideConsole();
    // SDL would turn SIGINT and SIGTERM into a quit event that nothing acts on; until the show
    // starts they end the process as they do any program, and then stop_request takes them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_Init(SDL_INIT_VIDEO);

    // NOTE: never destroyed; the render thread reaches it until the process ends.
    Entrypoint* entry = new Entrypoint();
    entry->capture = options.capture;
    entry->placeholderScenes = options.placeholders;
    entry->dev = options.dev;
    if (options.dev.enabled) {
        dev::enableKeys();
        program_registry::enable();
    }
    if (options.skipDialog) {
        entry->settings = options.settings;
    } else {
        buildDisplayModeList();
        std::vector<std::string> labels;
        for (const DisplayMode& mode : displayModes) labels.push_back(displayModeLabel(mode));
        const LaunchChoice choice = platform::runLaunchDialog(labels, preselectedDisplayMode(displayModes));
        if (!choice.run) platform::endProcess(0);
        applyLaunchChoice(choice, displayModes, entry->settings);
    }
    if (!entry->settings.fullscreen) platform::showConsole();

    engineData.prototype = entry;
    stop_request::installSignalHandlers();
    stop_request::watchEscape();
    engineData.init();
    for (;;) {
        engineData.frame();
        if (engineData.quit.load(std::memory_order_relaxed)) stop_request::request(stop_request::Reason::Escape);
        const stop_request::Reason stop = stop_request::pending();
        if (stop != stop_request::Reason::None) {
            // A capture finishes the file it is writing first; the real-time show ends at once.
            // (Returning would run static destructors under the live render thread.)
            if (options.capture.enabled) {
                stopCaptureFromMainThread(stop);
            } else {
                if (stop != stop_request::Reason::Escape) std::printf("show: stopped by %s\n", stop_request::name(stop));
                platform::endProcess(stop_request::exitCode(stop, false));
            }
        }
        // Capture mode renders offline: leave the cores to the renderer.
        if (options.capture.enabled) SDL_Delay(10);
    }
}
