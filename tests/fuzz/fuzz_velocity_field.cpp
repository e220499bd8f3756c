// Random bytes into the velocity field reader. The field has one valid size (48 MiB), so
// every input the fuzzer makes must be refused with a message that names the file, leaving
// the field empty.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/flow_field_files.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzfile::Scratch scratch("velocity.dat");
    const std::string& path = scratch.write(data, size);
    std::vector<float> field;
    std::string error;
    bool ok = readVelocityField(path, field, error);
    if (ok != (size == kVelocityBytes)) std::abort();
    if (!ok && (!field.empty() || error.find(path) == std::string::npos)) std::abort();
    return 0;
}
