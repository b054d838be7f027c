// The main of every test program: GoogleTest, and the proof of the run for the Wine runner.
#include <gtest/gtest.h>

#include "support/Environment.h"
#include "support/RunProof.h"

#if !defined(_WIN32)
// ThreadSanitizer settings for the test executables. Qt paints large areas on threads of its own
// pool, with locking that ThreadSanitizer cannot see inside Debian's uninstrumented Qt; the
// accesses Qt makes through intercepted functions (memmove, malloc) are then reported as races
// between Qt's own threads. Ignoring interceptors called from uninstrumented libraries keeps every
// access made by our own code checked. Weak: a no-op outside a tsan build.
extern "C" __attribute__((weak)) const char* __tsan_default_options() {
    return "ignore_noninstrumented_modules=1";
}
#endif

int main(int argc, char** argv) {
#if !defined(_WIN32)
    // Widgets need a platform plugin; without a display, test discovery would fail at build time.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        testsupport::SetEnvironment("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Counted after the run: with --gtest_list_tests, the tests the filter selected.
    const int selected = ::testing::UnitTest::GetInstance()->test_to_run_count();
    if (!testsupport::WriteRunProof("tests", static_cast<std::size_t>(selected))) {
        return 1;
    }
    return result;
}
