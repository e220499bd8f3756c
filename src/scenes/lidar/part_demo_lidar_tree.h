#pragma once
// Part_DEMOLidarTree: the closing scene. At load it renders the scanned landscape (lidar4)
// from a ring of 60 cameras and keeps the seen surface as a set of glowing points. The show's
// last 96.5 scene seconds: a descent onto the scan, two orbits, walkers and standing figures
// as dark silhouettes, the park cloud of the previous scene, a floral frame, and a climax of
// statues, birds and the group's plate; then the sequencer ends the program.
//
// Render: the scene pass, then four post passes (screen effect, a blended overlay, the
// quarter-size blur, the composite). The script is in lidar_tree_timeline.h; the bake in
// point_bake.h.
#include "driver/part.h"
#include "formats/camera_path.h"
#include "formats/tg_object.h"
#include "gpu/image_texture.h"
#include "gpu/point_buffer.h"
#include "gpu/shader_program.h"
#include "scenes/lidar/point_bake.h"

class Part_DEMOLidarTree : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_DEMOLidarTree() override = default;
    void load() override;
    void finishLoad() override {}

    // Builds the eight programs that are rebuilt on a reload, in their fixed order.
    void reloadShaders();

    ShaderProgram materialProgram;
    ShaderProgram cityProgramB;
    ShaderProgram occlusionProgram;      // the composite, last
    ShaderProgram postProgram;           // the blended overlay
    ShaderProgram screenEffectProgram;   // the first post pass
    ShaderProgram blurProgram;
    ShaderProgram rendererProgram;       // the baked points
    ShaderProgram greenProgram;          // the floral frame
    ShaderProgram cityProgramA;
    ShaderProgram statueProgram;
    ShaderProgram birdProgram;
    ShaderProgram fixedProgram;          // the sky cube
    TGObject standingMesh;
    TGObject statueMesh;
    TGObject birdMesh;
    TGObject plateMesh;
    TGObject lidarMesh;
    ImageTexture floralTexture;
    PointBakeTarget bake;
    PointBuffer bakedPoints;
    CameraPath cameraPath;               // constructed, never loaded

private:
    void scenePass(float t);
    void drawBakedPoints(float t, const float* view, const float* wideProjection);
    // The material program as the walkers and standing figures use it: dark silhouettes.
    void useSilhouetteProgram(float t, const float* view);
    void drawWalkers(float t, const float* view);
    void drawStanding(float t, const float* view);
    void drawSkyLayer(float t, const float* view);
    void drawFloralFrame(float t, const float* view);
    void drawSharedCloud(ShaderProgram& program, float fraction, float t, const float* view);
    void drawClimax(float t, const float* view);
    void screenEffectPass(int eye);
    void blurAndComposite(int eye);
};

// The scene whose load is running.
extern Part_DEMOLidarTree* g_loadingLidarTree;
