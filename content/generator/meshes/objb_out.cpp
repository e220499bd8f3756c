#include "generator/meshes/objb_out.h"

#include <stdexcept>

namespace kit {

// Placeholder until the shared ".objb" writer is merged.
void writeMesh(const std::string& path, const Mesh&) { throw std::runtime_error(path + ": no .objb writer yet"); }
bool readMesh(const std::string& path, Mesh&, std::string& error) {
    error = path + ": no .objb reader yet";
    return false;
}

}  // namespace kit
