#pragma once
// For fuzz targets whose reader takes a path: writes the input to a scratch file of this
// process (under $TMPDIR, removed at exit) and hands its path to the reader.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzfile {

class Scratch {
public:
    explicit Scratch(const char* suffix) {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir && *dir ? dir : "/tmp") + "/velluna-fuzz-" +
                std::to_string(getpid()) + "-" + suffix;
    }
    ~Scratch() { std::remove(path_.c_str()); }

    // The path of a file holding exactly `size` bytes of `data`.
    const std::string& write(const uint8_t* data, size_t size) {
        FILE* f = std::fopen(path_.c_str(), "wb");
        if (!f) std::abort();
        if (size && std::fwrite(data, 1, size, f) != size) std::abort();
        std::fclose(f);
        return path_;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace fuzzfile
