#include "formats/objb.h"

#include <cstdio>

#include "formats/binary_io.h"
#include "formats/mesh_part_io.h"

using meshio::indicesInRange;

bool writeObjb(const std::string& path, const ObjbMesh& mesh) {
    if (mesh.parts.size() > static_cast<size_t>(kObjbMaxParts)) {
        std::printf("formats: %s: %zu parts, at most %d allowed\n", path.c_str(), mesh.parts.size(),
                    kObjbMaxParts);
        return false;
    }
    binio::Writer w;
    w.value<int32_t>(static_cast<int32_t>(mesh.parts.size()));
    w.value<int32_t>(mesh.hasColours ? 1 : 0);
    w.value<int32_t>(mesh.hasNormals ? 1 : 0);
    for (size_t p = 0; p < mesh.parts.size(); ++p) {
        const MeshPart& part = mesh.parts[p];
        size_t n = part.positions.size();
        bool ok = n % 3 == 0 && (!mesh.hasNormals || part.normals.size() == n) &&
                  (!mesh.hasColours || part.colours.size() == n) &&
                  indicesInRange(part.indices, static_cast<uint32_t>(n / 3));
        if (!ok) {
            std::printf("formats: %s: part %zu is malformed (array sizes or indices)\n", path.c_str(), p);
            return false;
        }
        w.value<int32_t>(part.numVertices());
        w.value<int32_t>(part.numIndices());
        w.array(part.positions);
        if (mesh.hasNormals) w.array(part.normals);
        if (mesh.hasColours) w.array(part.colours);
        w.array(part.indices);
    }
    return w.save(path);
}

bool parseObjb(const uint8_t* data, size_t size, const std::string& name, ObjbMesh& mesh,
               std::string& error) {
    mesh = ObjbMesh{};
    binio::Reader r(data, size);
    int32_t partCount = 0, colourFlag = 0, normalFlag = 0;
    if (!r.value(partCount) || !r.value(colourFlag) || !r.value(normalFlag)) {
        error = name + ": too short for the mesh header (12 bytes)";
        return false;
    }
    if (partCount < 0 || partCount > kObjbMaxParts) {
        error = name + ": part count " + std::to_string(partCount) + " is outside 0.." +
                std::to_string(kObjbMaxParts);
        return false;
    }
    ObjbMesh out;
    out.hasColours = colourFlag == 1;
    out.hasNormals = normalFlag == 1;
    out.parts.resize(static_cast<size_t>(partCount));
    for (int32_t p = 0; p < partCount; ++p) {
        MeshPart& part = out.parts[static_cast<size_t>(p)];
        int32_t v = 0, i = 0;
        const std::string where = name + ": part " + std::to_string(p);
        const uint64_t bytesPerVertex = 12ull * (1 + out.hasNormals + out.hasColours);
        if (!meshio::readPartCounts(r, where, bytesPerVertex, v, i, error)) return false;
        const uint64_t floats = 3ull * static_cast<uint64_t>(v);
        r.array(part.positions, floats);
        if (out.hasNormals) r.array(part.normals, floats);
        if (out.hasColours) r.array(part.colours, floats);
        r.array(part.indices, static_cast<uint64_t>(i));
        if (!indicesInRange(part.indices, static_cast<uint32_t>(v))) {
            error = where + ": an index points past its " + std::to_string(v) + " vertices";
            return false;
        }
        const int64_t absurd = meshio::firstAbsurdCoordinate(part.positions);
        if (absurd >= 0) {
            error = where + ": " + meshio::absurdCoordinateText(part.positions, absurd);
            return false;
        }
    }
    mesh = std::move(out);
    return true;
}

bool readObjb(const std::string& path, ObjbMesh& mesh, std::string& error) {
    mesh = ObjbMesh{};
    std::vector<uint8_t> bytes;
    if (!binio::readWholeFile(path, bytes, error)) return false;
    return parseObjb(bytes.data(), bytes.size(), path, mesh, error);
}
