#pragma once
// Our small audio library: one output device, samples decoded fully into memory, and a
// playback position counted in bytes of 16-bit stereo PCM. It is what the soundtrack needs
// and no more: list the devices, open one, load a sample, play it without restarting, and
// ask for its frequency and byte position.
//
//   audio::init(-1, 44100);                      // the default device; false when there is none
//   uint32_t s = audio::sampleLoad("music.mp3"); // 0 on failure (also without a device)
//   audio::channelPlay(s, false);                // starts once; later calls leave it playing
//   uint64_t bytes = audio::channelPosition(s);  // audio::kPositionError when s is not valid
//
// Output runs through SDL2's audio callback on SDL's own thread; the position is counted
// there and read atomically. SDL_AUDIODRIVER picks the driver ("dummy" consumes the audio in
// real time and plays nothing, which is what tests use).
#include <cstdint>
#include <string>
#include <vector>

namespace platform::audio {

constexpr uint64_t kPositionError = ~uint64_t{0};

// Error codes of the last call (informational; the show fetches them and does not act).
enum Error : int { kOk = 0, kNoInit = 1, kNoDevice = 2, kNoFile = 3, kBadHandle = 4, kBadFormat = 5 };
int errorCode();

// Name of output device `index` (0, 1, ...); false when no device has that index.
bool deviceInfo(int index, std::string& name);

// Opens device `device` (-1: the system's default) at `rate` Hz, 16-bit stereo. The device
// plays silence until a sample plays. Once open, later calls return true.
bool init(int device, int rate);

// Decodes a whole MP3 into memory at the output rate, 16-bit stereo (mono is duplicated,
// other rates are resampled, the encoder's delay and padding are trimmed). Returns a handle,
// or 0 when no device is open or the file cannot be read (the reason is printed).
uint32_t sampleLoad(const std::string& path);

// Starts the sample from its current position. With `restart` false a playing sample goes on
// where it is. A sample that has played to its end stays at its end.
bool channelPlay(uint32_t handle, bool restart);

// The output frequency of the sample in Hz.
bool channelFrequency(uint32_t handle, float& frequency);

// Bytes of 16-bit stereo PCM played so far, or kPositionError.
uint64_t channelPosition(uint32_t handle);
// Moves the position (clamped to the sample's length; rounded down to a whole frame).
bool channelSetPosition(uint32_t handle, uint64_t bytes);

// Developer mode only (a bare start never calls these):
// Stops the sample where it is; channelPlay goes on from there.
bool channelPause(uint32_t handle);
// Plays the sample at `speed` times its rate (0.25-2), resampled linearly; the position then
// moves `speed` times as fast. 1 is the plain copy the show always uses.
bool channelSetSpeed(uint32_t handle, float speed);

// The sample's loudness in `buckets` equal slices of its length: the peak of each, 0-1
// (developer mode's waveform). Empty when the handle is not valid.
std::vector<float> samplePeaks(uint32_t handle, int buckets);

// Length of the decoded sample in bytes, or 0.
uint64_t sampleLength(uint32_t handle);

}  // namespace platform::audio
