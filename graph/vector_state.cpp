#include "graph/vector_state.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace ovilan {

#if defined(__x86_64__) || defined(__i386__)

namespace {

    // The only function built for AVX, called only where the processor has it.
    __attribute__((target("avx"))) void zeroUpperHalves() { _mm256_zeroupper(); }

} // namespace

void clearUpperVectorState()
{
    if (__builtin_cpu_supports("avx"))
        zeroUpperHalves();
}

#else

void clearUpperVectorState() { }

#endif

} // namespace ovilan
