#include "common/mat4.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectMatrix(const Mat4& actual, const float (&expected)[16]) {
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(actual[i], expected[i]) << "element " << i;
}

TEST(Mat4, ProductAppliesTheRightFactorFirst) {
    // Translate, then scale by 2: the scale (left) must see the translated point.
    Mat4 scale = mat4Identity();
    scale[0] = scale[5] = scale[10] = 2.0f;
    const Mat4 m = mat4Multiply(scale, mat4Translation(1.0f, 2.0f, 3.0f));
    const TVector p = mat4TransformPoint(m, TVector(1.0f, 1.0f, 1.0f));
    EXPECT_FLOAT_EQ(p.x, 4.0f);
    EXPECT_FLOAT_EQ(p.y, 6.0f);
    EXPECT_FLOAT_EQ(p.z, 8.0f);
}

TEST(Mat4, TranslationSitsInTheFourthColumn) {
    const float expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
    expectMatrix(mat4Translation(1.0f, 2.0f, 3.0f), expected);
    EXPECT_FLOAT_EQ(mat4Translation(1, 2, 3).at(1, 3), 2.0f);
}

TEST(Mat4, IdentityIsNeutral) {
    const Mat4 t = mat4Translation(4.0f, 5.0f, 6.0f);
    const Mat4 a = mat4Multiply(mat4Identity(), t);
    const Mat4 b = mat4Multiply(t, mat4Identity());
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(a[i], t[i]);
        EXPECT_EQ(b[i], t[i]);
    }
}

TEST(Mat4, DegeneratePerspectiveIsTheIdentity) {
    struct Case { const char* name; float fovY, aspect, zNear, zFar; };
    const Case cases[] = {
        {"equal planes", 60.0f, 1.5f, 1.0f, 1.0f},
        {"zero aspect", 60.0f, 0.0f, 0.1f, 10.0f},
        {"zero angle", 0.0f, 1.0f, 0.1f, 10.0f},
    };
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectMatrix(mat4Perspective(c.fovY, c.aspect, c.zNear, c.zFar), identity);
    }
}

TEST(Mat4, LookAtMovesTheEyeToTheOriginLookingDownMinusZ) {
    const Mat4 view = mat4LookAt(TVector(3, 4, 5), TVector(3, 4, -10), TVector(0, 1, 0));
    const TVector eye = mat4TransformPoint(view, TVector(3, 4, 5));
    const TVector ahead = mat4TransformPoint(view, TVector(3, 4, 0));
    EXPECT_NEAR(eye.x, 0.0f, 1e-6f);
    EXPECT_NEAR(eye.y, 0.0f, 1e-6f);
    EXPECT_NEAR(eye.z, 0.0f, 1e-6f);
    EXPECT_NEAR(ahead.z, -5.0f, 1e-5f);
}

TEST(Mat4, LoadAndStoreKeepColumnOrder) {
    float values[16];
    for (int i = 0; i < 16; ++i) values[i] = static_cast<float>(i);
    float out[16] = {};
    mat4Store(mat4Load(values), out);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], values[i]);
    EXPECT_EQ(mat4Load(values).at(2, 1), 6.0f);
}

}  // namespace
