// The occlusion pass as the flow variant loads it (the same pass).
#include "f_postprocessSSAO.frag"
