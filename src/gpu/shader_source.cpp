#include "gpu/shader_source.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ios>

#include "common/c_random.h"

namespace shader_source {

std::string twinPath(const std::string& path) {
    const size_t at = path.find(".cpp");
    if (at == std::string::npos) return std::string();
    std::string twin = path;
    twin.replace(at, 4, ".sbn");
    return twin;
}

void scramble(std::string& bytes) {
    CRandom key(9418);
    for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(c) ^ (key.next() % 255));
}

}  // namespace shader_source

namespace {

// NOTE: a file that can be opened for reading counts, read-only or not; a folder does not.
bool canRead(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    std::ifstream probe(path, std::ios::binary);
    return probe.is_open();
}

// The plain file, read whole; rewrites the twin (when there is a twin name). No text on a
// stream failure, whose reason is printed.
std::optional<std::string> readPlain(const std::string& path, const std::string& twin) {
    std::string text;
    try {
        std::ifstream in;
        in.exceptions(std::ios::badbit | std::ios::failbit | std::ios::eofbit);
        in.open(path, std::ios::binary);
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        in.seekg(0, std::ios::beg);
        text.resize(static_cast<size_t>(size));
        if (size > 0) in.read(&text[0], size);
    } catch (const std::exception& e) {  // a stream failure, or a size we cannot hold
        std::printf("%s\n", e.what());
        return std::nullopt;
    }
    if (!twin.empty()) {
        std::string scrambled = text;
        scrambled.push_back('\0');
        shader_source::scramble(scrambled);
        if (FILE* out = std::fopen(twin.c_str(), "wb")) {
            std::fwrite(scrambled.data(), 1, scrambled.size(), out);
            std::fclose(out);
        }
    }
    return text;
}

// The twin, unscrambled, up to its terminator (or its end, when the terminator is missing).
std::optional<std::string> readTwin(const std::string& twin) {
    FILE* in = std::fopen(twin.c_str(), "rb");
    if (in == nullptr) return std::nullopt;
    std::string bytes;
    long size = -1;
    if (std::fseek(in, 0, SEEK_END) == 0) size = std::ftell(in);
    if (size >= 0 && std::fseek(in, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(size));
        if (std::fread(&bytes[0], 1, bytes.size(), in) != bytes.size()) size = -1;
    }
    std::fclose(in);
    if (size < 0) {
        std::printf("shader: cannot read %s\n", twin.c_str());
        return std::nullopt;
    }
    shader_source::scramble(bytes);
    const size_t end = bytes.find('\0');
    if (end != std::string::npos) bytes.resize(end);
    return bytes;
}

}  // namespace

std::optional<std::string> loadShaderSource(const std::string& path) {
    const std::string twin = shader_source::twinPath(path);
    const bool plainPresent = canRead(path);
    const bool twinPresent = canRead(twin);
    if (plainPresent) return readPlain(path, twin);
    if (twinPresent) return readTwin(twin);
    return std::nullopt;
}
