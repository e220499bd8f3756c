#pragma once
// The closing lidar-tree scene's script as plain functions of its clock: the camera (the
// descent and the two orbits), which element is drawn when, the walk-cycle entries, the
// shared cloud's fraction, and where every mesh stands ("Local" matrices). Nothing here
// touches GL, so all of it is tested without a context.
//
// The world: the scanned landscape (lidar4) lies at the origin as it was baked, ground near
// y = 0, a plaza with a plinth at the centre ringed by a colonnade of radius 6.5, trees
// beyond. After the descent the camera stands on the plaza at (0, 2, 0) looking along +z, so
// everything of the second half is placed in front of it, between z = 4 and z = 16.
#include "common/mat4.h"
#include "common/tvector.h"

namespace lidar_tree {

constexpr float kEndTime = 96.5f;        // done once the clock passes this
constexpr float kEarliestTime = -10.0f;  // the scene pass clamps its time to at least this
constexpr float kFieldOfView = 60.0f;
constexpr float kNear = 0.1f;
constexpr float kFar = 1000.0f;
// The wider lens whose projection the point renderer gets as "MV_Proj".
constexpr float kWideFieldOfView = 90.0f;

// [SECTION] Camera

struct CameraPose {
    TVector eye;
    TVector target;
};
// The shots. The descent: e = ease((t + 13) x 0.06, 3), eye (0, (1 - e) x 55 x 1.2 + 2,
// -(1 - e) x 55) toward (0, 2, 10), until it lands at (0, 2, 0) when e reaches 1. Orbits
// while 11.8 <= t < 18 (radius 22 round (0, 5, 0) at height 1) and while 24.4 < t < 30.4
// (radius 32 round (0, 5, 7) at height 0.8). Between and after them, each shot shows
// something new: on across the plaza from where the descent landed, along the ruins, close
// on the standing group, up and round over the landscape, over the mosaic, round the park's
// scan, low under the rising statues, and the birds over them to the end. Up is +y.
enum class Shot { Descent, Plaza, FirstOrbit, Ruins, SecondOrbit, Group, Crane, Mosaic, Park, Statues, Birds };
constexpr float kLanded = 1.0f / 0.06f - 13.0f;   // where the descent's ease reaches 1
Shot shotAt(float t);
CameraPose cameraAt(float t);

// [SECTION] Gates

// The scene pass's time: t, but at least -10.
inline float passTime(float t) { return t < kEarliestTime ? kEarliestTime : t; }

inline bool bakedPointsDrawn(float t) { return t > 3.0f && t < 43.0f; }
inline bool walkersDrawn(float t) { return t < 11.8 || (t >= 18.0f && t < 43.4); }
// Which placement the standing group takes: 0 (11.8 <= t < 18), 1 (24.4 <= t < 30.4),
// 2 (30.4 <= t < 35), or -1 when it is not drawn.
int standingWindow(float t);
// The standing group's parts that are drawn: 0-17 except 2 and 5.
inline bool standingGroupDrawn(int group) { return group >= 0 && group <= 17 && group != 2 && group != 5; }
inline bool skyCubeDrawn(float t) { return t < 30.4; }
inline bool floralFrameDrawn(float t) { return t > 43.6; }
inline bool firstCloudDrawn(float t) { return t < 11.8; }
inline bool secondCloudDrawn(float t) { return t > 54.0f; }
// The second cloud's share of its points: clamp((t - 54) x 2, 0, 1) - clamp(t - 59, 0, 1)
// + clamp(t - 64.5, 0, 1): in over half a second from 54, out from 59 to 60, in again from
// 64.5 to 65.5.
float secondCloudFraction(float t);
constexpr float kFirstCloudFraction = 0.8f;
// The statues of the climax: three placements, drawn while 67.2 < t < 73, 76 and 79.8.
constexpr int kStatues = 3;
bool statueDrawn(int placement, float t);
constexpr int kLateStatues = 2;
inline bool lateStatuesDrawn(float t) { return t > 77.5; }
inline bool plateDrawn(float t) { return t > 77.2; }
constexpr int kBirds = 2;
inline bool birdsDrawn(float t) { return t > 67.6; }
// The post program's blended overlay is drawn while the scene time is below 31.
inline bool overlayDrawn(float t) { return t < 31.0f; }

// [SECTION] Walk cycle

constexpr int kWalkFrames = 56;
// The two walkers' entries of the shared walk cycle: |(int)(t x 53 + 5245)| mod 56 and
// |(int)(t x 53 + 550)| mod 56, in float arithmetic.
int walkFrameA(float t);
int walkFrameB(float t);

// [SECTION] Placements ("Local" matrices)

// The two walkers cross the plaza in opposite directions, in front of the camera, and
// wrap round while they are out of the picture.
Mat4 walkerPlacement(int walker, float t);
// The standing group in window `window` (0-2, see standingWindow).
Mat4 standingPlacement(int window);
// A climax statue: rises out of the ground when it appears and sinks at the end of its window.
Mat4 statuePlacement(int placement, float t);
Mat4 lateStatuePlacement(int placement, float t);
// The "QRB" plate, upright above the plaza, turned to face the camera; the mirror image is
// drawn by the shader with "Flip" 1.
Mat4 platePlacement(float t);
// A bird flies in from behind the camera and circles above the statues, banking.
Mat4 birdPlacement(int bird, float t);
// The floral mosaic on the ground in front of the camera (a unit quad in x and z scaled up).
Mat4 floralFloorPlacement();

// A rotation by `yaw` radians about +y, then uniform `scale`, then a move to `position`.
Mat4 placement(const TVector& position, float yaw, float scale);

}  // namespace lidar_tree
