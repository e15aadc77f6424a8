#pragma once

/// Marks a pixel loop to be compiled for AVX2 as well as the baseline; the
/// loader picks the version the processor supports. The baseline (SSE2) lacks
/// 32-bit multiplies and gathers, which the colour kernels need.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define TAVREL_VECTOR_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define TAVREL_VECTOR_KERNEL
#endif
