#pragma once
// Little helpers for the binary formats: whole-file reads, a bounds-checked cursor over the
// bytes, and a buffered writer. Every format of the show is little-endian without padding,
// which is also this machine's layout, so values are copied as they are.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the show's files are little-endian");

namespace binio {

// Reads the whole file. False (with `error` set) when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string& error);

// Writes `size` bytes to `path` (mode "wb"). False (with a message printed) on failure.
bool writeWholeFile(const std::string& path, const void* data, size_t size);

// A cursor that never reads past the end: a read that does not fit fails and leaves the
// cursor where it was.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit Reader(const std::vector<uint8_t>& bytes) : Reader(bytes.data(), bytes.size()) {}

    size_t remaining() const { return size_ - pos_; }
    size_t position() const { return pos_; }

    bool bytes(void* out, size_t n) {
        if (n > remaining()) return false;
        if (n) std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    template <typename T>
    bool value(T& out) { return bytes(&out, sizeof(T)); }
    // Reads `count` values of T into `out` (resized); fails without reading when short.
    template <typename T>
    bool array(std::vector<T>& out, uint64_t count) {
        if (count > remaining() / sizeof(T)) return false;
        out.resize(static_cast<size_t>(count));
        return bytes(out.data(), static_cast<size_t>(count) * sizeof(T));
    }
    // Points at `count` values of T in place (no copy); nullptr when short.
    template <typename T>
    const uint8_t* view(uint64_t count) {
        if (count > remaining() / sizeof(T)) return nullptr;
        const uint8_t* p = data_ + pos_;
        pos_ += static_cast<size_t>(count) * sizeof(T);
        return p;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Appends values to a byte buffer.
class Writer {
public:
    std::vector<uint8_t> bytes;

    void raw(const void* data, size_t n) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + n);
    }
    template <typename T>
    void value(const T& v) { raw(&v, sizeof(T)); }
    template <typename T>
    void array(const std::vector<T>& v) { raw(v.data(), v.size() * sizeof(T)); }

    bool save(const std::string& path) const { return writeWholeFile(path, bytes.data(), bytes.size()); }
};

}  // namespace binio
