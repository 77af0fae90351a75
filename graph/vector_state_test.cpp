#include "graph/trace.h"
#include "graph/vector_state.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>

namespace ovilan {
namespace {

    // XGETBV with ECX = 1 tells which register states are in use; bit 2 is the upper halves of
    // the 256-bit registers.
    bool canSeeUpperState()
    {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        if (!__builtin_cpu_supports("avx") || !__get_cpuid_count(0xd, 1, &eax, &ebx, &ecx, &edx))
            return false;
        return (eax & (1U << 2)) != 0;
    }

    bool upperHalvesInUse()
    {
        unsigned low = 0, high = 0;
        asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
        return (low & (1U << 2)) != 0;
    }

    // As foreign AVX code does when it returns without vzeroupper. ymm15 is a register that the
    // C library's pow never writes, so nothing on the trace's way clears it by accident.
    void leaveUpperHalfInUse()
    {
        asm volatile("vcmpps $15, %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
    }

    TEST(VectorState, TraceRunsWithTheUpperHalvesClear)
    {
        if (!canSeeUpperState())
            GTEST_SKIP() << "the processor does not report its vector register state";
        leaveUpperHalfInUse();
        ASSERT_TRUE(upperHalvesInUse());
        clearUpperVectorState();
        EXPECT_FALSE(upperHalvesInUse());

        std::array<double, 65> samples {};
        std::array<double, 65> values {};
        std::array<std::uint8_t, 65> undefined {};
        fillSamples(0.5, 2, 64, samples);
        leaveUpperHalfInUse();
        traceFormula("x^1.01^1.01^1.01", "x", samples, values, undefined);
        EXPECT_FALSE(upperHalvesInUse());
        EXPECT_EQ(undefined[64], 0);
    }

} // namespace
} // namespace ovilan

#endif
