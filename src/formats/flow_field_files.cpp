#include "formats/flow_field_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "formats/binary_io.h"

bool writeVelocityField(const std::string& path, const std::vector<float>& field) {
    if (field.size() != kVelocityFloats) {
        std::printf("formats: %s: the velocity field needs %zu floats, got %zu\n", path.c_str(),
                    kVelocityFloats, field.size());
        return false;
    }
    return binio::writeWholeFile(path, field.data(), kVelocityBytes);
}

bool writeVoronoiMap(const std::string& path, const VoronoiMap& map) {
    if (map.width < 0 || map.height < 0 ||
        map.values.size() != size_t(map.width) * size_t(map.height)) {
        std::printf("formats: %s: the Voronoi map is %d x %d but holds %zu values\n", path.c_str(),
                    map.width, map.height, map.values.size());
        return false;
    }
    binio::Writer w;
    w.value(map.width);
    w.value(map.height);
    w.array(map.values);
    return w.save(path);
}

bool readVelocityField(const std::string& path, std::vector<float>& field, std::string& error) {
    field.clear();
    const std::string what = " (the velocity field: 128 x 256 x 128 float triples, 50331648 bytes)";
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path + ": " + std::strerror(errno) + what;
        return false;
    }
    // A short file is refused by its size, before the 48 MiB array is made for it.
    size_t got = kVelocityBytes;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        long end = std::ftell(f);
        if (end >= 0 && static_cast<size_t>(end) < kVelocityBytes) got = static_cast<size_t>(end);
        std::rewind(f);
    }
    if (got == kVelocityBytes) {
        field.resize(kVelocityFloats);
        got = std::fread(field.data(), 1, kVelocityBytes, f);
    }
    std::fclose(f);
    if (got != kVelocityBytes) {
        field.clear();
        error = path + " holds only " + std::to_string(got) + " bytes" + what;
        return false;
    }
    return true;
}

bool readVoronoiMap(const std::string& path, VoronoiMap& map, std::string& error) {
    map = VoronoiMap{};
    const std::string what = " (the Voronoi map: int32 width, int32 height, width x height floats)";
    std::vector<uint8_t> bytes;
    if (!binio::readWholeFile(path, bytes, error)) {
        error += what;
        return false;
    }
    binio::Reader r(bytes);
    VoronoiMap out;
    if (!r.value(out.width) || !r.value(out.height)) {
        error = path + " is too short for its 8-byte header" + what;
        return false;
    }
    if (out.width <= 0 || out.height <= 0) {
        error = path + " has a size of " + std::to_string(out.width) + " x " +
                std::to_string(out.height) + what;
        return false;
    }
    uint64_t count = uint64_t(out.width) * uint64_t(out.height);
    if (!r.array(out.values, count)) {
        error = path + " is " + std::to_string(bytes.size()) + " bytes, shorter than the " +
                std::to_string(8 + 4 * count) + " its header promises" + what;
        return false;
    }
    map = std::move(out);
    return true;
}

void scaleVoronoiValues(std::vector<float>& values) {
    for (float& v : values) v *= 0.0001f;
}
