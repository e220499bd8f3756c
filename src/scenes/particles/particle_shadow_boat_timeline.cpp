#include "scenes/particles/particle_shadow_boat_timeline.h"

#include <algorithm>
#include <cmath>

#include "common/shaping.h"

namespace boat {

const SampleSetDesc kSampleSetDescs[kSampleSets] = {
    {"..//newresources/sceneboat.objb", kGrid, 1.0f, 415.0f, TVector(-1000.0f, 0.0f, -1000.0f),
     TVector(10000.0f, 1000.0f, 1000.0f)},
    {"..//newresources/gto.objb", kGrid, 1.0f, 2225.0f, TVector(-1000.0f, -1.0f, -1000.0f),
     TVector(10000.0f, 1000.0f, 1000.0f)},
    {"..//newresources///headsgarbled.objb", kGrid, 1.0f, 261.0f, TVector(-1000.0f, 0.0f, -1000.0f),
     TVector(10000.0f, 1000.0f, 1000.0f)},
    {"..//newresources//eyes.objb", kEyesGrid, 1.0f, 13004.0f, TVector(-1000.0f, -10000.0f, -1000.0f),
     TVector(10000.0f, 1000.0f, 1000.0f)},
};

const SampleSet kUploadOrder[kSampleSets] = {kSceneSet, kHeadsSet, kCarSet, kEyesSet};

// [SECTION] Camera

const float kCameraWindowStarts[kCameraWindows] = {
    -1e30f, 6.0f, 9.0f, 14.0f, 17.0f, 20.7f, 32.5f, 35.0f, 37.5f, 39.5f, 41.5f, 43.0f, 44.5f, 67.0f,
};

namespace {

TVector vec(double x, double y, double z) {
    return TVector(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

// A point on a circle about the y axis through `centre`, at `angle` (0 = +x, turning to +z).
TVector orbit(const TVector& centre, double radius, double angle, double height) {
    return vec(centre.x + radius * std::cos(angle), height, centre.z + radius * std::sin(angle));
}

int windowAt(float t) {
    int w = 0;
    for (int i = 1; i < kCameraWindows; ++i) {
        if (t >= kCameraWindowStarts[i]) w = i;
    }
    return w;
}

}  // namespace

CameraShot cameraShot(float t) {
    const int w = windowAt(t);
    const double u = static_cast<double>(t) - (w > 0 ? static_cast<double>(kCameraWindowStarts[w]) : 0.0);
    const TVector heap(0.0f, 0.0f, 0.0f);
    CameraShot s;
    s.window = w;
    switch (w) {
    case 0:   // the boat comes out of the mist, broadside, the island and the moon behind
        s.eye = vec(14.0 - 0.3 * t, 2.0, 1.4);
        s.target = vec(0.0, 1.0, 1.4);
        break;
    case 1:   // close on the rowers, three-quarter from the bow
        s.eye = vec(6.2 - 0.25 * u, 0.9 + 0.05 * u, 4.6 - 0.3 * u);
        s.target = vec(0.0, 0.75, 0.4 - 0.1 * u);
        break;
    case 2:   // wide: the boat in front of the island and its statues
        s.eye = vec(15.0 + 0.3 * u, 3.0 + 0.1 * u, 9.0 - 0.5 * u);
        s.target = vec(-14.0, 1.6, -3.5 + 0.2 * u);
        break;
    case 3:   // the boat turns into the car: a slow orbit close to the water
        s.eye = orbit(heap, 7.0, 0.55 + 0.12 * u, 1.1);
        s.target = vec(0.0, 0.7, 0.0);
        break;
    case 4:   // the car from its front quarter, low, from the other side
        s.eye = vec(-5.6 + 0.25 * u, 0.8, 6.6 - 0.3 * u);
        s.target = vec(0.0, 0.6, 0.3);
        break;
    case 5:   // the long shot: once round the boat, slowly, as it becomes the car again
        s.eye = orbit(heap, 10.0 - 0.15 * u, -0.9 + 0.1 * u, 1.8 + 0.05 * u);
        s.target = vec(0.0, 0.8, 0.0);
        break;
    case 6:   // pushing in on the boat before it dissolves
        s.eye = vec(9.0 - 1.0 * u, 1.4 - 0.1 * u, 3.0 - 0.4 * u);
        s.target = vec(0.0, 0.8, 0.5);
        break;
    case 7:   // the heads come out of the dark
        s.eye = vec(9.0 - 0.4 * u, 2.2, -2.5 + 0.2 * u);
        s.target = vec(0.0, 2.0, 0.0);
        break;
    case 8:   // low, looking up the heap at the eyes in its flank
        s.eye = vec(5.5, 0.45, 3.2 - 0.5 * u);
        s.target = vec(0.8, 1.9, 0.0);
        break;
    case 9:   // from above
        s.eye = vec(3.5 + 0.5 * u, 8.5 - 0.3 * u, 1.5);
        s.target = vec(0.0, 1.2, 0.0);
        break;
    case 10:  // the eyes, as the lens opens from 28 degrees
        s.eye = vec(12.0 - 0.5 * u, 1.95, 0.5);
        s.target = vec(1.0, 1.65, 0.0);
        break;
    case 11:  // beside the heap, at head height
        s.eye = orbit(heap, 7.5, 1.1 + 0.1 * u, 1.8);
        s.target = vec(0.0, 2.2, 0.0);
        break;
    case 12:  // the long orbit round the heap and the eyes
        s.eye = orbit(heap, 11.0 - 0.05 * u, 1.35 - 0.06 * u, 1.8 + 0.04 * u);
        s.target = vec(0.0, 2.3, 0.0);
        break;
    default:  // pulling away and up at the end
        s.eye = vec(12.0 + 0.6 * u, 2.8 + 0.4 * u, 2.0 + 0.2 * u);
        s.target = vec(0.0, 2.4, 0.0);
        break;
    }
    s.fov = fieldOfView(t);
    return s;
}

float fieldOfView(float t) {
    double fov = 45.0;
    if (t >= 41.5f) fov = 28.0 + 18.0 * ease((static_cast<double>(t) - 41.5) / 4.0, 3.0);
    fov -= 5.0 * ramp(static_cast<double>(t) - 68.6);
    return static_cast<float>(fov);
}

double swayWeight(float t) {
    if (t < 35.0f) return 0.00006786;
    if (t < 43.0f) return 0.00084825;
    return 0.00027144;
}

// [SECTION] Layers

const LayerWindow kLayerWindowTable[kLayerWindows] = {
    {Layer::Ripples, 6.0f, 9.0f},     {Layer::Wake, 9.0f, 14.0f},
    {Layer::DipToBlack, 20.0f, 20.7f}, {Layer::Ripples, 20.7f, 27.0f},
    {Layer::FadeIn, 35.0f, 37.5f},    {Layer::Embers, 37.5f, 41.5f},
    {Layer::MoonRays, 41.5f, 43.0f},  {Layer::GazeLines, 43.0f, 44.5f},
    {Layer::MoonRays, 44.5f, 51.0f},  {Layer::Embers, 51.0f, 55.0f},
};

bool layerDrawn(Layer layer, float t) {
    for (const LayerWindow& w : kLayerWindowTable) {
        if (w.layer == layer && t >= w.from && t < w.below) return true;
    }
    return false;
}

float layerProgress(Layer layer, float t) {
    for (const LayerWindow& w : kLayerWindowTable) {
        if (w.layer == layer && t >= w.from && t < w.below) return (t - w.from) / (w.below - w.from);
    }
    return 0.0f;
}

// [SECTION] Island

float islandHeight(float x, float z) {
    // The generator's dome: 1.7 (1 - (r / 12)^2) - 0.24 at the show's scale, rocks on top.
    const float dx = x - kIslandCentre.x;
    const float dz = z - kIslandCentre.z;
    const float r = std::sqrt(dx * dx + dz * dz) / 12.0f;
    return 1.7f * std::max(0.0f, 1.0f - r * r) - 0.24f;
}

}  // namespace boat
