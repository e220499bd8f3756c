#pragma once
// Shader source files and their scrambled ".sbn" twins.
//
// A shader source is a text file whose name contains ".cpp". Loading it writes a scrambled
// twin beside it (the first ".cpp" replaced by ".sbn"); a copy of the show that holds only
// the twins loads those instead. The twin is the text plus its zero terminator, each byte
// XORed with a key byte: key byte i is the (i+1)-th rand() after srand(9418), modulo 255.
//
// NOTE: the key comes from a private generator with glibc's rand() sequence (CRandom), not
// from rand() itself: load-time workers reseed the C library's generator as they start, and
// a twin written while one does would be scrambled with the wrong key. Loading a shader
// leaves the C library's generator alone.
#include <optional>
#include <string>

// The text of a shader source, or nothing when neither the file nor its twin can be read.
// Reads the plain file when it exists (and rewrites the twin), else the twin.
std::optional<std::string> loadShaderSource(const std::string& path);

namespace shader_source {

// The twin's name: the first ".cpp" replaced by ".sbn"; empty when the path has no ".cpp".
std::string twinPath(const std::string& path);

// XORs bytes with the key stream from position 0 on (scrambling and unscrambling are the
// same operation). Safe on any thread.
void scramble(std::string& bytes);

}  // namespace shader_source
