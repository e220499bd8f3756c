#pragma once
// Signed-distance shapes: a list of primitives combined in order by smooth union,
// smooth subtraction or intersection. Negative inside. Each primitive knows a box
// outside of which it cannot change the field, so big scenes are evaluated only where
// their primitives are (see mesher.h).
//
//   Shape s;
//   s.capsule({0, 0, 0}, {0, 1, 0}, 0.1f, 0.08f).blend(0.03f).colour({0.8f, 0.6f, 0.5f});
//   s.sphere({0, 1.1f, 0}, 0.12f).blend(0.04f);
//   Part part = meshShape(s, 0.01f);
#include <functional>
#include <vector>

#include "generator/meshes/vec.h"

namespace kit {

enum class PrimKind { Sphere, Ellipsoid, Capsule, RoundBox, Torus, Cylinder, Stroke, Custom };
enum class Op { Add, Sub, Intersect };

struct Prim {
    PrimKind kind = PrimKind::Sphere;
    Op op = Op::Add;
    Vec3 a, b;           // centre / end points
    Vec3 half;           // half extents / radii
    float r0 = 0, r1 = 0, r2 = 0;
    Mat3 toLocal;        // world -> local rotation (Ellipsoid, RoundBox, Torus, Stroke)
    float k = 0;         // blend radius with what came before
    Vec3 rgb{0.8f, 0.8f, 0.8f};
    Vec3 lo, hi;         // the box outside which the primitive is farther than its reach
    std::function<float(const Vec3&)> fn;  // Custom

    float distance(const Vec3& p) const;
};

class Shape {
public:
    // Each adder returns the primitive so that blend, colour and op can be set on it.
    struct Ref {
        Shape* s;
        size_t i;
        Ref& blend(float k) { s->prims_[i].k = k; return *this; }
        Ref& colour(const Vec3& c) { s->prims_[i].rgb = c; return *this; }
        Ref& sub() { s->prims_[i].op = Op::Sub; return *this; }
        Ref& intersect() { s->prims_[i].op = Op::Intersect; return *this; }
    };

    Ref sphere(const Vec3& c, float r);
    Ref ellipsoid(const Vec3& c, const Vec3& radii, const Mat3& rot = Mat3());
    // A round cone from a (radius ra) to b (radius rb).
    Ref capsule(const Vec3& a, const Vec3& b, float ra, float rb);
    Ref capsule(const Vec3& a, const Vec3& b, float r) { return capsule(a, b, r, r); }
    Ref roundBox(const Vec3& c, const Vec3& half, float round, const Mat3& rot = Mat3());
    // Ring around the local y axis.
    Ref torus(const Vec3& c, float ringRadius, float tubeRadius, const Mat3& rot = Mat3());
    // A capped cylinder from a to b with edge rounding.
    Ref cylinder(const Vec3& a, const Vec3& b, float r, float round = 0.0f);
    // A 2D stroke from a to b (local x, y after `rot`) of half width w, extruded to half depth
    // d around local z = a.z, with rounded edges of radius e.
    Ref stroke(const Vec3& a, const Vec3& b, float w, float d, float e, const Mat3& rot = Mat3());
    // Any field; it must be farther than its reach outside [lo, hi].
    Ref custom(std::function<float(const Vec3&)> fn, const Vec3& lo, const Vec3& hi);

    const std::vector<Prim>& prims() const { return prims_; }
    size_t size() const { return prims_.size(); }
    // The field at p over all primitives (slow path; the mesher culls).
    float eval(const Vec3& p, Vec3* colour = nullptr) const;
    // The box of the Add primitives.
    void addBounds(Vec3& lo, Vec3& hi) const;
    float maxBlend() const;

private:
    Ref push(Prim p);
    std::vector<Prim> prims_;
};

// Combines the primitives listed in `list` (indices into prims, in order) at p.
float evalList(const std::vector<Prim>& prims, const int* list, int n, const Vec3& p, Vec3* colour);

}  // namespace kit
