#pragma once
// The numeric fields behind velocity.dat and voronoimap.bin, apart from their files, so that
// tests can check their properties on small grids.
#include <cstdint>
#include <vector>

namespace content {

// A divergence-free field of nx x ny x nz velocity triples (x fastest, then y, then z): the
// curl of a smooth noise potential whose features are `period` texels across, scaled to a
// root-mean-square speed of 1.
std::vector<float> curlNoiseField(int nx, int ny, int nz, float period, int octaves);

// A w x h map (x fastest) of the distance to the nearest of cells x cells jittered seeds,
// as 0 .. 10000; it tiles in both directions.
std::vector<float> voronoiMap(int w, int h, int cells, uint64_t seed);

}  // namespace content
