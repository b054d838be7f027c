#include <gtest/gtest.h>

#include <cstdlib>

// ThreadSanitizer settings for the test executables. Qt paints large areas on threads of its own
// pool, with locking that ThreadSanitizer cannot see inside Debian's uninstrumented Qt; the
// accesses Qt makes through intercepted functions (memmove, malloc) are then reported as races
// between Qt's own threads. Ignoring interceptors called from uninstrumented libraries keeps every
// access made by our own code checked. Weak: a no-op outside a tsan build.
extern "C" __attribute__((weak)) const char* __tsan_default_options() {
    return "ignore_noninstrumented_modules=1";
}

int main(int argc, char** argv) {
    // Widgets need a platform plugin; without a display, test discovery would fail at build time.
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
