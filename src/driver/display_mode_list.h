#pragma once
// The resolution list offered by the launch dialog: display modes deduplicated by size,
// portrait modes dropped, enumeration order kept, each with its aspect label.
#include <functional>
#include <string>
#include <vector>

struct DisplayMode {
    int width;
    int height;
};

// Process-wide list, filled once before the dialog opens; the combo index is the array index.
extern std::vector<DisplayMode> displayModes;

// Asks `query` for mode 0, 1, 2, ... until it returns false, and keeps each new landscape
// or square size once. buildDisplayModeList() uses the platform's display 0.
using DisplayModeQuery = std::function<bool(int index, int& width, int& height)>;
std::vector<DisplayMode> collectDisplayModes(const DisplayModeQuery& query);
void buildDisplayModeList();

// " %d x %d  (16:10)", " %d x %d  (16:9)" or " %d x %d       ".
std::string displayModeLabel(const DisplayMode& mode);

// Index of 1920 x 1080 if listed, else 0 (also for an empty list).
int preselectedDisplayMode(const std::vector<DisplayMode>& modes);
