#pragma once
// Shader source files and their scrambled ".sbn" twins.
//
// A shader source is a text file whose name contains ".cpp". Loading it writes a scrambled
// twin beside it (the first ".cpp" replaced by ".sbn"); a copy of the show that holds only
// the twins loads those instead. The twin is the text plus its zero terminator, each byte
// XORed with a key byte: key byte i is the (i+1)-th rand() after srand(9418), modulo 255.
//
// NOTE: loading reseeds the C library's generator (srand(9418)) and draws one value per byte;
// code that needs its own sequence reseeds after loading shaders.
#include <optional>
#include <string>

// The text of a shader source, or nothing when neither the file nor its twin can be read.
// Reads the plain file when it exists (and rewrites the twin), else the twin.
std::optional<std::string> loadShaderSource(const std::string& path);

namespace shader_source {

// The twin's name: the first ".cpp" replaced by ".sbn"; empty when the path has no ".cpp".
std::string twinPath(const std::string& path);

// XORs bytes with the key stream from position 0 on (scrambling and unscrambling are the
// same operation). Reseeds the C library's generator.
void scramble(std::string& bytes);

}  // namespace shader_source
