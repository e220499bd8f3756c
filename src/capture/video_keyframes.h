#pragma once
// Where a video's pictures start a new group (an IDR frame, closed GOP). A picture starts one
// when it is the first of the video, the first of a scene, or its show frame number is a
// multiple of keyFrameEvery(fps). The rule depends on the show's frame numbers alone, not on
// where the video starts, so a video cut into pieces at those frames (scripts/video cuts there
// only) is encoded into exactly the pictures of one video of the whole range: the encoder runs
// at a constant quantiser, which keeps no rate-control state from one group to the next.
#include <string>
#include <vector>

namespace video_keyframes {

// Frames between two regular group starts: two seconds of show, at least one frame.
int keyFrameEvery(double fps);

// ffmpeg's -force_key_frames value for the frames [first, first + count) of the show, with
// `sceneStarts` the first frames of the scenes (any order; those outside the range are left
// out). Output frame n is show frame first + n.
std::string forceKeyFrames(int first, int count, double fps, const std::vector<int>& sceneStarts);

}  // namespace video_keyframes
