// PIXKURA_AVX2_CLONE before a function whose loops run on vectors builds it
// twice, for AVX2 processors and for the baseline, and picks one when the
// program loads. Both builds round every operation alike (no fused
// multiply-add), so they give identical results.
#pragma once

#if defined(__x86_64__) && (defined(__clang__) || defined(__GNUC__))
#define PIXKURA_AVX2_CLONE __attribute__((target_clones("avx2", "default")))
#else
#define PIXKURA_AVX2_CLONE
#endif
