// The fog slices, as the park scene draws them.
#include "../LidarAO/v_smog.vert"
