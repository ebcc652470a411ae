#include <gtest/gtest.h>

#include "optics/optics.h"

TEST(InterfaceReflectance, NormalIncidence) {
    Extended rp, rs, r;
    InterfaceReflectance(2, 0, 1, rp, rs, r);
    EXPECT_NEAR(static_cast<double>(rp), 1.0 / 9, 1e-15);
}
