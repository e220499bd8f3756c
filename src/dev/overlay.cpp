#include "dev/overlay.h"

#include <GL/glew.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include <algorithm>
#include <cstdio>

namespace dev {

namespace {

// The scenes' colours on the timeline, in play order.
ImU32 sceneColour(size_t i) {
    static const ImU32 colours[] = {IM_COL32(70, 110, 160, 255), IM_COL32(90, 140, 90, 255),
                                    IM_COL32(150, 120, 60, 255), IM_COL32(130, 80, 140, 255),
                                    IM_COL32(60, 130, 140, 255)};
    return colours[i % 5];
}

}  // namespace

void Overlay::init(SDL_Window* window) {
    window_ = window;
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGui::GetStyle().Alpha = 0.92f;
    ImGui_ImplOpenGL2_Init();
    ready_ = true;
}

double Overlay::draw(const OverlayFacts& f, float dt) {
    if (!ready_ || !visible || f.transport == nullptr) return -1.0;
    const Transport& t = *f.transport;
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(w), static_cast<float>(h));
    io.DeltaTime = dt > 0.0f ? dt : 1.0f / 60.0f;
    // The main thread takes the events; the mouse is read as SDL last saw it.
    int mx = 0;
    int my = 0;
    const Uint32 buttons = SDL_GetMouseState(&mx, &my);
    io.MousePos = ImVec2(static_cast<float>(mx), static_cast<float>(my));
    io.MouseDown[0] = (buttons & SDL_BUTTON_LMASK) != 0;

    ImGui_ImplOpenGL2_NewFrame();
    ImGui::NewFrame();
    double seekTo = -1.0;

    ImGui::SetNextWindowPos(ImVec2(8, 8), ImGuiCond_Always);
    ImGui::SetNextWindowBgAlpha(0.6f);
    ImGui::Begin("velluna --dev", nullptr,
                 ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing);
    ImGui::Text("demo %8.3f s   music %8.3f s   drift %+6.1f ms", f.demoTime, f.musicTime,
                (f.demoTime - f.musicTime) * 1000.0);
    ImGui::Text("%s  slot %d  clock %.3f s", f.scene.empty() ? "(none)" : f.scene.c_str(), f.slot, f.sceneClock);
    ImGui::Text("%5.1f fps   frame %6.2f ms   engine cpu %6.2f ms", f.fps, f.frameMs, f.engineCpuMs);
    ImGui::Text("%s  %gx   checkpoints %zu, %.0f of %.0f MiB", t.paused ? "paused" : "playing", t.speed(),
                f.checkpoints, f.checkpointMiB, f.budgetMiB);
    if (t.looping) {
        ImGui::Text("loop %.3f - %.3f s", t.loopIn, t.loopOut);
    } else if (t.loopIn >= 0.0) {
        ImGui::Text("loop in %.3f s (] sets the out point)", t.loopIn);
    } else {
        ImGui::TextUnformatted("no loop (L: this scene, [ ]: a range)");
    }
    if (!f.lastMessage.empty()) ImGui::TextColored(ImVec4(1.0f, 0.4f, 0.4f, 1.0f), "%s", f.lastMessage.c_str());
    ImGui::End();

    // The timeline along the bottom: the scenes over the waveform, the loop, the playhead.
    const double end = t.spans.empty() ? 1.0 : t.spans.back().end;
    const float barH = std::max(40.0f, static_cast<float>(h) * 0.12f);
    ImGui::SetNextWindowPos(ImVec2(8, static_cast<float>(h) - barH - 16), ImGuiCond_Always);
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(w) - 16, barH + 8), ImGuiCond_Always);
    ImGui::SetNextWindowBgAlpha(0.5f);
    ImGui::Begin("timeline", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoScrollWithMouse);
    const ImVec2 a = ImGui::GetCursorScreenPos();
    const ImVec2 size(ImGui::GetContentRegionAvail().x, barH - 8);
    ImDrawList* d = ImGui::GetWindowDrawList();
    auto xOf = [&](double s) { return a.x + static_cast<float>(s / end) * size.x; };
    for (size_t i = 0; i < t.spans.size(); ++i) {
        d->AddRectFilled(ImVec2(xOf(t.spans[i].start), a.y), ImVec2(xOf(t.spans[i].end), a.y + size.y), sceneColour(i));
    }
    if (!waveform_.empty()) {
        const float mid = a.y + size.y * 0.5f;
        const int columns = std::max(1, static_cast<int>(size.x));
        for (int x = 0; x < columns; ++x) {
            const size_t b = static_cast<size_t>(x) * waveform_.size() / static_cast<size_t>(columns);
            const float p = waveform_[b] * size.y * 0.45f;
            d->AddLine(ImVec2(a.x + static_cast<float>(x), mid - p), ImVec2(a.x + static_cast<float>(x), mid + p),
                       IM_COL32(230, 230, 230, 110));
        }
    }
    if (t.looping || t.loopIn >= 0.0) {
        const double out = t.loopOut > t.loopIn ? t.loopOut : t.loopIn;
        d->AddRectFilled(ImVec2(xOf(t.loopIn), a.y), ImVec2(std::max(xOf(out), xOf(t.loopIn) + 2.0f), a.y + size.y),
                         IM_COL32(255, 200, 0, 70));
    }
    const float px = xOf(std::clamp(f.demoTime, 0.0, end));
    d->AddLine(ImVec2(px, a.y - 2), ImVec2(px, a.y + size.y + 2), IM_COL32(255, 60, 60, 255), 2.0f);
    ImGui::InvisibleButton("scrub", size);
    if (ImGui::IsItemActive() && (ImGui::IsItemClicked() || ImGui::IsMouseDragging(ImGuiMouseButton_Left, 2.0f))) {
        seekTo = std::clamp(static_cast<double>((io.MousePos.x - a.x) / size.x) * end, 0.0, t.lastTime());
    }
    if (ImGui::IsItemHovered()) {
        const double at = std::clamp(static_cast<double>((io.MousePos.x - a.x) / size.x) * end, 0.0, end);
        const int span = t.spanAt(at);
        ImGui::SetTooltip("%.2f s  %s", at, span >= 0 ? t.spans[static_cast<size_t>(span)].name.c_str() : "");
    }
    ImGui::End();

    ImGui::Render();
    glViewport(0, 0, w, h);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    return seekTo;
}

}  // namespace dev
