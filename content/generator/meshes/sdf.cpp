#include "generator/meshes/sdf.h"

namespace kit {

namespace {

float sdEllipsoid(const Vec3& q, const Vec3& r) {
    const float k0 = length(Vec3(q.x / r.x, q.y / r.y, q.z / r.z));
    const float k1 = length(Vec3(q.x / (r.x * r.x), q.y / (r.y * r.y), q.z / (r.z * r.z)));
    if (k1 < 1e-12f) return -std::min(r.x, std::min(r.y, r.z));
    return k0 * (k0 - 1.0f) / k1;
}

float sdRoundCone(const Vec3& p, const Vec3& a, const Vec3& b, float ra, float rb) {
    const Vec3 ba = b - a;
    const float l2 = dot(ba, ba);
    float t = l2 > 0 ? clampf(dot(p - a, ba) / l2, 0.0f, 1.0f) : 0.0f;
    return length(p - (a + ba * t)) - mixf(ra, rb, t);
}

float sdSegment2(float px, float py, float ax, float ay, float bx, float by) {
    const float pax = px - ax, pay = py - ay, bax = bx - ax, bay = by - ay;
    const float l2 = bax * bax + bay * bay;
    const float h = l2 > 0 ? clampf((pax * bax + pay * bay) / l2, 0.0f, 1.0f) : 0.0f;
    const float dx = pax - bax * h, dy = pay - bay * h;
    return std::sqrt(dx * dx + dy * dy);
}

float extrude(float d2, float dz, float e) {
    const float wx = d2 + e, wy = dz + e;
    return std::min(std::max(wx, wy), 0.0f) + std::sqrt(std::max(wx, 0.0f) * std::max(wx, 0.0f) +
                                                        std::max(wy, 0.0f) * std::max(wy, 0.0f)) - e;
}

}  // namespace

float Prim::distance(const Vec3& p) const {
    switch (kind) {
        case PrimKind::Sphere: return length(p - a) - r0;
        case PrimKind::Ellipsoid: return sdEllipsoid(toLocal * (p - a), half);
        case PrimKind::Capsule: return sdRoundCone(p, a, b, r0, r1);
        case PrimKind::RoundBox: {
            const Vec3 q = vabs(toLocal * (p - a)) - half;
            return length(vmax(q, Vec3(0, 0, 0))) + std::min(std::max(q.x, std::max(q.y, q.z)), 0.0f) - r0;
        }
        case PrimKind::Torus: {
            const Vec3 q = toLocal * (p - a);
            const float ring = std::sqrt(q.x * q.x + q.z * q.z) - r0;
            return std::sqrt(ring * ring + q.y * q.y) - r1;
        }
        case PrimKind::Cylinder: {
            const Vec3 ba = b - a, pa = p - a;
            const float baba = dot(ba, ba), paba = dot(pa, ba);
            const float x = length(pa * baba - ba * paba) - (r0 - r1) * baba;
            const float y = std::fabs(paba - baba * 0.5f) - (baba * 0.5f - r1 * std::sqrt(baba));
            const float x2 = x * x, y2 = y * y * baba;
            const float d = (std::max(x, y) < 0.0f) ? -std::min(x2, y2) : (((x > 0.0f) ? x2 : 0.0f) + ((y > 0.0f) ? y2 : 0.0f));
            return (d > 0 ? std::sqrt(d) : -std::sqrt(-d)) / baba - r1;
        }
        case PrimKind::Stroke: {
            const Vec3 q = toLocal * p;
            const float d2 = sdSegment2(q.x, q.y, a.x, a.y, b.x, b.y) - r0;
            return extrude(d2, std::fabs(q.z - a.z) - r1, r2);
        }
        case PrimKind::Custom: return fn(p);
    }
    return 1e9f;
}

Shape::Ref Shape::push(Prim p) {
    prims_.push_back(std::move(p));
    return Ref{this, prims_.size() - 1};
}

Shape::Ref Shape::sphere(const Vec3& c, float r) {
    Prim p;
    p.kind = PrimKind::Sphere;
    p.a = c;
    p.r0 = r;
    p.lo = c - Vec3(r, r, r);
    p.hi = c + Vec3(r, r, r);
    return push(p);
}

Shape::Ref Shape::ellipsoid(const Vec3& c, const Vec3& radii, const Mat3& rot) {
    Prim p;
    p.kind = PrimKind::Ellipsoid;
    p.a = c;
    p.half = radii;
    p.toLocal = rot.transposed();
    const float r = std::max(radii.x, std::max(radii.y, radii.z));
    p.lo = c - Vec3(r, r, r);
    p.hi = c + Vec3(r, r, r);
    return push(p);
}

Shape::Ref Shape::capsule(const Vec3& a, const Vec3& b, float ra, float rb) {
    Prim p;
    p.kind = PrimKind::Capsule;
    p.a = a;
    p.b = b;
    p.r0 = ra;
    p.r1 = rb;
    const float r = std::max(ra, rb);
    p.lo = vmin(a, b) - Vec3(r, r, r);
    p.hi = vmax(a, b) + Vec3(r, r, r);
    return push(p);
}

Shape::Ref Shape::roundBox(const Vec3& c, const Vec3& half, float round, const Mat3& rot) {
    Prim p;
    p.kind = PrimKind::RoundBox;
    p.a = c;
    p.half = half;
    p.r0 = round;
    p.toLocal = rot.transposed();
    const float r = length(half) + round;
    p.lo = c - Vec3(r, r, r);
    p.hi = c + Vec3(r, r, r);
    return push(p);
}

Shape::Ref Shape::torus(const Vec3& c, float ringRadius, float tubeRadius, const Mat3& rot) {
    Prim p;
    p.kind = PrimKind::Torus;
    p.a = c;
    p.r0 = ringRadius;
    p.r1 = tubeRadius;
    p.toLocal = rot.transposed();
    const float r = ringRadius + tubeRadius;
    p.lo = c - Vec3(r, r, r);
    p.hi = c + Vec3(r, r, r);
    return push(p);
}

Shape::Ref Shape::cylinder(const Vec3& a, const Vec3& b, float r, float round) {
    Prim p;
    p.kind = PrimKind::Cylinder;
    p.a = a;
    p.b = b;
    p.r0 = r;
    p.r1 = round;
    p.lo = vmin(a, b) - Vec3(r, r, r);
    p.hi = vmax(a, b) + Vec3(r, r, r);
    return push(p);
}

Shape::Ref Shape::stroke(const Vec3& a, const Vec3& b, float w, float d, float e, const Mat3& rot) {
    Prim p;
    p.kind = PrimKind::Stroke;
    p.a = a;
    p.b = b;
    p.r0 = w;
    p.r1 = d;
    p.r2 = e;
    p.toLocal = rot.transposed();
    // The box of the local stroke, carried back to the world (conservatively, by its sphere).
    const Vec3 mid = (a + b) * 0.5f;
    const float r = length(b - a) * 0.5f + w + d;
    const Vec3 c = rot * mid;
    p.lo = c - Vec3(r, r, r);
    p.hi = c + Vec3(r, r, r);
    return push(p);
}

Shape::Ref Shape::custom(std::function<float(const Vec3&)> fn, const Vec3& lo, const Vec3& hi) {
    Prim p;
    p.kind = PrimKind::Custom;
    p.fn = std::move(fn);
    p.lo = lo;
    p.hi = hi;
    return push(p);
}

float evalList(const std::vector<Prim>& prims, const int* list, int n, const Vec3& p, Vec3* colour) {
    float d = 1e9f;
    Vec3 c(0.5f, 0.5f, 0.5f);
    bool first = true;
    for (int li = 0; li < n; ++li) {
        const Prim& pr = prims[list[li]];
        const float b = pr.distance(p);
        switch (pr.op) {
            case Op::Add:
                if (first) {
                    d = b;
                    c = pr.rgb;
                    first = false;
                } else if (pr.k > 0) {
                    const float h = clampf(0.5f + 0.5f * (b - d) / pr.k, 0.0f, 1.0f);
                    d = mixf(b, d, h) - pr.k * h * (1.0f - h);
                    c = lerp(pr.rgb, c, h);
                } else if (b < d) {
                    d = b;
                    c = pr.rgb;
                }
                break;
            case Op::Sub:
                if (pr.k > 0) {
                    const float h = clampf(0.5f - 0.5f * (d + b) / pr.k, 0.0f, 1.0f);
                    d = mixf(d, -b, h) + pr.k * h * (1.0f - h);
                    c = lerp(c, pr.rgb, h);
                } else if (-b > d) {
                    d = -b;
                    c = pr.rgb;
                }
                break;
            case Op::Intersect:
                if (b > d) d = b;
                break;
        }
    }
    if (colour) *colour = c;
    return d;
}

float Shape::eval(const Vec3& p, Vec3* colour) const {
    std::vector<int> all(prims_.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    return evalList(prims_, all.data(), static_cast<int>(all.size()), p, colour);
}

void Shape::addBounds(Vec3& lo, Vec3& hi) const {
    lo = Vec3(1e30f, 1e30f, 1e30f);
    hi = Vec3(-1e30f, -1e30f, -1e30f);
    for (const Prim& p : prims_) {
        if (p.op != Op::Add) continue;
        lo = vmin(lo, p.lo);
        hi = vmax(hi, p.hi);
    }
}

float Shape::maxBlend() const {
    float k = 0;
    for (const Prim& p : prims_) k = std::max(k, p.k);
    return k;
}

}  // namespace kit
