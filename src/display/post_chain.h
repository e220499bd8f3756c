#pragma once
// The post chain behind every particle and scan scene: an occlusion-and-grade pass over the
// resolved eye target, a quarter-size glow source, and the composite that writes the finished
// picture into the eye target's spare texture (what the display presents). Each scene brings
// its own three programs and says which extra uniforms they take.
//
//   PostUniforms occlusion;                      // zero = only "ttime"
//   occlusion.ttime = localTime;
//   occlusion.extras = kPostPosY;                // and "PosY" = 0
//   PostUniforms composite = {localTime, kPostAspect};
//   runPostChain(engine, eye, {&occlusionProgram, &blurProgram, &compositeProgram},
//                occlusion, composite);
//
// A scene whose picture is its occlusion pass alone passes null blur and composite programs.
#include <cstdint>

struct Data_Interface;
class ShaderProgram;
struct RenderTarget;

// Extra uniforms a pass sets besides "ttime".
enum PostExtra : uint32_t {
    kPostResolution = 1u << 0,  // "resolution" = (view width, view height, 0)
    kPostSky = 1u << 1,         // "Sky" on unit 31 = the engine's sky box (0 without one)
    kPostPosY = 1u << 2,        // "PosY" = posY
    kPostDump = 1u << 3,        // "dump" = dump
    kPostRePos = 1u << 4,       // "RePosX", "RePosY" = rePosX, rePosY
    kPostAspect = 1u << 5,      // "aspect" = view width / view height
    kPostDepth = 1u << 6,       // "TextureDepth" on unit 3 = the eye target's depth texture
};

struct PostUniforms {
    float ttime = 0.0f;
    uint32_t extras = 0;  // PostExtra bits
    float posY = 0.0f;
    float dump = 0.0f;
    float rePosX = 0.0f;
    float rePosY = 0.0f;
};

struct PostPrograms {
    ShaderProgram* occlusion = nullptr;
    ShaderProgram* blur = nullptr;       // null: no glow pass
    ShaderProgram* composite = nullptr;  // null: the occlusion pass is the picture
};

// Occlusion and grade: reads the eye target's resolved textures ("Texture1" 0, "Texture2" 1,
// "Texture3" 2, "TextureDepth" 3) and writes its spare texture.
RenderTarget& postOcclusion(Data_Interface* engine, int eye, ShaderProgram& program, const PostUniforms& u);
// The glow source: the spare texture ("Texture1" on unit 6) drawn at quarter size.
RenderTarget& postBlur(Data_Interface* engine, int eye, ShaderProgram& program, const PostUniforms& u);
// The composite: "TextureBlur" 1 (the quarter target), "Texture1" 2 (the spare texture), back
// into the spare texture at the view's size.
void postComposite(Data_Interface* engine, int eye, ShaderProgram& program, const PostUniforms& u);
// The three in order; blur and composite run only when both programs are given.
void runPostChain(Data_Interface* engine, int eye, const PostPrograms& programs,
                  const PostUniforms& occlusion, const PostUniforms& composite);
