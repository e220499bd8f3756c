#pragma once
// Things a scanned street or park is full of, built from the scan builder's primitives and
// shared by the town and the park: branching trees, people, benches, lamp posts.
#include "generator/rng.h"
#include "generator/scan.h"

namespace content {

// A broadleaf tree grown as a branching structure: a trunk that forks into boughs, boughs
// into branches and twigs (tapering tubes that bend a little at every fork), with clusters
// of leaves at the twigs' ends, so the crown is ragged and the limbs show through it.
// `height` is the tree's full height in metres, `spread` how wide it grows against that.
void branchingTree(ScanBuilder& s, Rng& rng, P3 base, float height, float spread = 1.0f);

// A conifer: a straight trunk with whorls of drooping branches, each with a fringe of needle
// clusters, the whorls narrowing to the tip.
void branchingConifer(ScanBuilder& s, Rng& rng, P3 base, float height);

// A person standing (or mid-stride when `stride` > 0), about 1.75 m tall, facing `yaw`.
void person(ScanBuilder& s, P3 feet, float yaw, float stride = 0.0f);

// A slatted bench with cast-iron ends, facing `yaw`.
void slattedBench(ScanBuilder& s, P3 centre, float yaw);

// A lamp post: base, a tapering shaft and a lantern with a cap.
void lampPost(ScanBuilder& s, P3 base, float height = 3.8f);

}  // namespace content
