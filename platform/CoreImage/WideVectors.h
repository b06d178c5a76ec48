#pragma once

// Marks a per-pixel loop for a second build for processors with 256-bit vectors, chosen at load time.
#if defined(__x86_64__) && defined(__GNUC__)
#define KERBELIN_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define KERBELIN_WIDE_VECTORS
#endif
