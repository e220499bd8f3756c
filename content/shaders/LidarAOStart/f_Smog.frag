// The fog slices, as the park scene draws them.
#include "../LidarAO/f_Smog.frag"
