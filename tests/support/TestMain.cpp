#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Widgets need a platform plugin; without a display, test discovery would fail at build time.
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
