#include "driver/options.h"

#include <cstdlib>

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != x && (text[i] < '0' || text[i] > '9')) return false;
    }
    if (x > 5 || text.size() - x - 1 > 5) return false;  // no size beyond 99999
    width = std::atoi(text.substr(0, x).c_str());
    height = std::atoi(text.substr(x + 1).c_str());
    return width > 0 && height > 0;
}

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    bool msaa = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--msaa") {
            msaa = true;
        } else if (a == "--windowed" || a == "--fullscreen") {
            if (i + 1 >= args.size()) {
                error = a + " needs a size WxH";
                return false;
            }
            int w = 0;
            int h = 0;
            if (!parseSize(args[++i], w, h)) {
                error = a + ": malformed size '" + args[i] + "' (expected WxH, e.g. 1280x720)";
                return false;
            }
            options.skipDialog = true;
            options.settings.fullscreen = (a == "--fullscreen");
            options.settings.width = w;
            options.settings.height = h;
        } else {
            error = "unknown option '" + a + "'";
            return false;
        }
    }
    if (msaa && !options.skipDialog) {
        error = "--msaa goes with --windowed or --fullscreen";
        return false;
    }
    options.settings.multisample = msaa;
    return true;
}

const char* usageText() {
    return "usage: velluna [--windowed WxH | --fullscreen WxH] [--msaa]\n"
           "  A bare start asks for the resolution in the launch dialog.\n"
           "  --windowed WxH     play in a window of W x H pixels, without the dialog\n"
           "  --fullscreen WxH   play full screen at W x H, without the dialog\n"
           "  --msaa             4 samples per pixel instead of 2\n"
           "  --help             print this text\n"
           "Escape ends the show. The log goes to standard output.\n";
}
