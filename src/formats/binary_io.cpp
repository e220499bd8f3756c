#include "formats/binary_io.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace binio {

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(f);
        error = "cannot read " + path + ": not a regular file";
        return false;
    }
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || got != out.size()) {
        out.clear();
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool writeWholeFile(const std::string& path, const void* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::printf("formats: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::printf("formats: writing %s failed\n", path.c_str());
    return ok;
}

}  // namespace binio
