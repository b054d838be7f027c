// The stack-safe call against functions of both conventions that 32-bit Windows libraries use.
#include "servicelib/StackSafeCall.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#if defined(_WIN32) && defined(__i386__)

namespace servicelib {
namespace {

// Each result depends on every argument and its position, so a lost, swapped or shifted argument
// shows. noinline: they must be real calls through an address, as into a library.
#define CORVANE_TEST_FUNCTIONS(convention, suffix)                                                 \
    __attribute__((noinline)) uint32_t convention None##suffix() {                                 \
        return 7;                                                                                  \
    }                                                                                              \
    __attribute__((noinline)) uint32_t convention One##suffix(uint32_t a) {                        \
        return a * 3;                                                                              \
    }                                                                                              \
    __attribute__((noinline))                                                                      \
    uint32_t convention Three##suffix(uint32_t a, uint32_t b, uint32_t c) {                        \
        return a * 1 + b * 10 + c * 100;                                                           \
    }                                                                                              \
    __attribute__((noinline)) uint32_t convention Five##suffix(uint32_t a, uint32_t b, uint32_t c, \
                                                               uint32_t d, uint32_t* out) {        \
        *out = a ^ b ^ c ^ d;                                                                      \
        return a * 1 + b * 10 + c * 100 + d * 1000;                                                \
    }
CORVANE_TEST_FUNCTIONS(__stdcall, Stdcall)
CORVANE_TEST_FUNCTIONS(__cdecl, Cdecl)
#undef CORVANE_TEST_FUNCTIONS

struct Functions {
    const char* convention;
    const void* none;
    const void* one;
    const void* three;
    const void* five;
};

void PrintTo(const Functions& functions, std::ostream* out) {
    *out << functions.convention;
}

class StackSafeCallTest : public ::testing::TestWithParam<Functions> {};

TEST_P(StackSafeCallTest, PassesEveryArgumentAndKeepsTheStackOverManyCalls) {
    const Functions& f = GetParam();
    // A stack pointer left off by a single call would be off by 100000 calls' worth here, and a
    // caller-saved value kept wrongly across the call would change the sums.
    uint64_t sum = 0;
    for (uint32_t i = 0; i < 100000; ++i) {
        const uint32_t one[] = {i};
        const uint32_t three[] = {i, 2, 3};
        uint32_t out = 0;
        const uint32_t five[] = {1, 2, 3, i,
                                 static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&out))};
        ASSERT_EQ(CallPreservingStack(f.none, nullptr, 0), 7u);
        ASSERT_EQ(CallPreservingStack(f.one, one, 1), 3 * i);
        ASSERT_EQ(CallPreservingStack(f.three, three, 3), i + 20 + 300);
        ASSERT_EQ(CallPreservingStack(f.five, five, 5), 1 + 20 + 300 + 1000 * i);
        ASSERT_EQ(out, (1u ^ 2u ^ 3u ^ i));  // written through the address it was given
        sum += i;
    }
    EXPECT_EQ(sum, 100000ull * 99999ull / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Conventions, StackSafeCallTest,
    ::testing::Values(Functions{"Stdcall", reinterpret_cast<const void*>(&NoneStdcall),
                                reinterpret_cast<const void*>(&OneStdcall),
                                reinterpret_cast<const void*>(&ThreeStdcall),
                                reinterpret_cast<const void*>(&FiveStdcall)},
                      Functions{"Cdecl", reinterpret_cast<const void*>(&NoneCdecl),
                                reinterpret_cast<const void*>(&OneCdecl),
                                reinterpret_cast<const void*>(&ThreeCdecl),
                                reinterpret_cast<const void*>(&FiveCdecl)}),
    [](const auto& info) { return std::string(info.param.convention); });

}  // namespace
}  // namespace servicelib

#endif
