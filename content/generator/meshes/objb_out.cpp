#include "generator/meshes/objb_out.h"

#include <stdexcept>

#include "formats/objb.h"

namespace kit {

void writeMesh(const std::string& path, const Mesh& mesh) {
    ObjbMesh out;
    out.hasColours = true;
    out.hasNormals = true;
    for (const Part& p : mesh.parts) {
        MeshPart part;
        part.positions.reserve(3 * p.pos.size());
        part.normals.reserve(3 * p.pos.size());
        part.colours.reserve(3 * p.pos.size());
        for (size_t i = 0; i < p.pos.size(); ++i) {
            const Vec3 n = i < p.nrm.size() ? p.nrm[i] : Vec3(0, 1, 0);
            const Vec3 c = i < p.col.size() ? p.col[i] : Vec3(0.5f, 0.5f, 0.5f);
            part.positions.insert(part.positions.end(), {p.pos[i].x, p.pos[i].y, p.pos[i].z});
            part.normals.insert(part.normals.end(), {n.x, n.y, n.z});
            // The file holds colours in -1..1.
            for (float v : {c.x, c.y, c.z}) part.colours.push_back(clampf(v, 0.0f, 1.0f) * 2.0f - 1.0f);
        }
        part.indices = p.idx;
        out.parts.push_back(std::move(part));
    }
    if (!writeObjb(path, out)) throw std::runtime_error(path + ": the mesh could not be written");
}

bool readMesh(const std::string& path, Mesh& mesh, std::string& error) {
    ObjbMesh in;
    mesh = Mesh{};
    if (!readObjb(path, in, error)) return false;
    for (const MeshPart& part : in.parts) {
        Part p;
        const size_t n = part.positions.size() / 3;
        for (size_t i = 0; i < n; ++i) {
            p.pos.push_back(Vec3(part.positions[3 * i], part.positions[3 * i + 1], part.positions[3 * i + 2]));
            if (in.hasNormals) p.nrm.push_back(Vec3(part.normals[3 * i], part.normals[3 * i + 1], part.normals[3 * i + 2]));
            if (in.hasColours)
                p.col.push_back(Vec3(part.colours[3 * i], part.colours[3 * i + 1], part.colours[3 * i + 2]) * 0.5f + Vec3(0.5f, 0.5f, 0.5f));
        }
        p.idx = part.indices;
        mesh.parts.push_back(std::move(p));
    }
    return true;
}

}  // namespace kit
