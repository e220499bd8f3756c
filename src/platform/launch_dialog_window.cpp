#include "platform/launch_dialog_window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <imgui.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>

#include <cstdio>

namespace platform {
namespace {

const char* kCaption = "      QRB - Velluna @  Kessmark 2018";

// Dialog units of an 8-point MS Sans Serif dialog: a base unit of 6 x 13 pixels.
constexpr float kUnitX = 6.0f / 4.0f;
constexpr float kUnitY = 13.0f / 8.0f;

struct DluRect {
    float x, y, w, h;
};
ImVec2 pos(const DluRect& r) { return ImVec2(r.x * kUnitX, r.y * kUnitY); }
ImVec2 size(const DluRect& r) { return ImVec2(r.w * kUnitX, r.h * kUnitY); }

// The template's controls, in dialog units.
constexpr DluRect kDialog{0, 0, 203, 88};
constexpr DluRect kResolutionCombo{16, 12, 172, 108};
constexpr DluRect kWindowedToggle{16, 37, 98, 15};
constexpr DluRect kMultisampleToggle{120, 37, 68, 15};
constexpr DluRect kRunButton{17, 61, 103, 21};
constexpr DluRect kQuitButton{145, 61, 24, 21};
constexpr DluRect kGroupBoxes[3] = {{2, 3, 198, 28}, {2, 29, 198, 26}, {2, 53, 198, 34}};
const char* kGroupLabels[3] = {"Resolution", nullptr, nullptr};

// A group box: an etched frame with its caption cut into the top edge.
void groupBox(ImDrawList* draw, const DluRect& r, const char* label) {
    const ImVec2 a = pos(r);
    const ImVec2 b(a.x + size(r).x, a.y + size(r).y);
    const float top = a.y + ImGui::GetFontSize() * 0.5f;
    draw->AddRect(ImVec2(a.x + 1, top + 1), ImVec2(b.x + 1, b.y + 1), IM_COL32(255, 255, 255, 255));
    draw->AddRect(ImVec2(a.x, top), b, IM_COL32(128, 128, 128, 255));
    if (label != nullptr) {
        const ImVec2 textSize = ImGui::CalcTextSize(label);
        const ImVec2 textPos(a.x + 6 * kUnitX, a.y);
        draw->AddRectFilled(ImVec2(textPos.x - 2, textPos.y), ImVec2(textPos.x + textSize.x + 2, textPos.y + textSize.y),
                            ImGui::GetColorU32(ImGuiCol_WindowBg));
        draw->AddText(textPos, IM_COL32(0, 0, 0, 255), label);
    }
}

// A check box with the push-button look: stays pressed while checked.
bool pushToggle(const char* label, const DluRect& r, bool& checked) {
    ImGui::SetCursorPos(pos(r));
    const bool wasChecked = checked;
    if (wasChecked) {
        ImGui::PushStyleColor(ImGuiCol_Button, ImVec4(0.62f, 0.62f, 0.62f, 1.0f));
        ImGui::PushStyleColor(ImGuiCol_ButtonHovered, ImVec4(0.66f, 0.66f, 0.66f, 1.0f));
    }
    const bool clicked = ImGui::Button(label, size(r));
    if (wasChecked) ImGui::PopStyleColor(2);
    if (clicked) checked = !checked;
    return clicked;
}

void classicStyle() {
    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0;
    style.FrameRounding = 0;
    style.WindowBorderSize = 0;
    style.FrameBorderSize = 1;
    style.WindowPadding = ImVec2(0, 0);
    ImVec4* c = style.Colors;
    c[ImGuiCol_WindowBg] = ImVec4(0.94f, 0.94f, 0.94f, 1.0f);
    c[ImGuiCol_Button] = ImVec4(0.88f, 0.88f, 0.88f, 1.0f);
    c[ImGuiCol_ButtonHovered] = ImVec4(0.90f, 0.94f, 0.98f, 1.0f);
    c[ImGuiCol_ButtonActive] = ImVec4(0.80f, 0.88f, 0.96f, 1.0f);
    c[ImGuiCol_FrameBg] = ImVec4(1.0f, 1.0f, 1.0f, 1.0f);
    c[ImGuiCol_Border] = ImVec4(0.48f, 0.48f, 0.48f, 1.0f);
    c[ImGuiCol_Text] = ImVec4(0.0f, 0.0f, 0.0f, 1.0f);
}

}  // namespace

LaunchChoice runLaunchDialog(const std::vector<std::string>& labels, int selection) {
    LaunchChoice choice;
    choice.selection = labels.empty() ? -1 : selection;

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
    const int width = static_cast<int>(size(kDialog).x);
    const int height = static_cast<int>(size(kDialog).y);
    SDL_Window* window = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_UTILITY);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (window == nullptr || context == nullptr) {
        // Without a window there is nobody to ask: run with the defaults.
        std::printf("launch dialog: cannot open its window (%s); running with the defaults\n", SDL_GetError());
        if (window != nullptr) SDL_DestroyWindow(window);
        choice.run = true;
        return choice;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(1);

    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    classicStyle();
    ImGui_ImplSDL2_InitForOpenGL(window, context);
    ImGui_ImplOpenGL2_Init();

    bool finished = false;
    bool windowed = false;
    bool multisample = false;
    int current = choice.selection;
    while (!finished) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            ImGui_ImplSDL2_ProcessEvent(&event);
            if (event.type == SDL_QUIT ||
                (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
                finished = true;
            } else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
                finished = true;
            } else if (event.type == SDL_KEYDOWN &&
                       (event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER)) {
                choice.run = true;
                finished = true;
            }
        }
        if (finished) break;

        ImGui_ImplOpenGL2_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImVec2(static_cast<float>(width), static_cast<float>(height)));
        ImGui::Begin("launch", nullptr,
                     ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                         ImGuiWindowFlags_NoBringToFrontOnFocus);
        ImDrawList* draw = ImGui::GetWindowDrawList();
        for (int i = 0; i < 3; ++i) groupBox(draw, kGroupBoxes[i], kGroupLabels[i]);

        ImGui::SetCursorPos(pos(kResolutionCombo));
        ImGui::SetNextItemWidth(size(kResolutionCombo).x);
        const char* preview = (current >= 0 && current < static_cast<int>(labels.size())) ? labels[current].c_str() : "";
        ImGui::SetNextWindowSizeConstraints(ImVec2(0, 0), ImVec2(FLT_MAX, size(kResolutionCombo).y));
        if (ImGui::BeginCombo("##resolution", preview, ImGuiComboFlags_HeightLargest)) {
            for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
                if (ImGui::Selectable(labels[i].c_str(), i == current)) current = i;
                if (i == current) ImGui::SetItemDefaultFocus();
            }
            ImGui::EndCombo();
        }

        pushToggle("Windowed", kWindowedToggle, windowed);
        pushToggle("8x MultiSample", kMultisampleToggle, multisample);

        // The default button carries a darker frame.
        ImGui::SetCursorPos(pos(kRunButton));
        ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 2.0f);
        if (ImGui::Button("Run ... ", size(kRunButton))) {
            choice.run = true;
            finished = true;
        }
        ImGui::PopStyleVar();
        ImGui::SetCursorPos(pos(kQuitButton));
        if (ImGui::Button("Quit", size(kQuitButton))) finished = true;
        ImGui::End();

        ImGui::Render();
        glViewport(0, 0, width, height);
        glClearColor(0.94f, 0.94f, 0.94f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
        SDL_GL_SwapWindow(window);
    }

    choice.selection = current;
    choice.windowed = windowed;
    choice.multisample = multisample;

    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_PumpEvents();
    return choice;
}

}  // namespace platform
