#pragma once

// For helpers of the per-pixel loops that must be inlined even where the
// compiler's size heuristics would rather call them.
//
// The headers holding those helpers are included by the rasteriser alone and
// put them in an unnamed namespace, as if they were written in its own file:
// GCC weighs inlining a function that other files could share as costlier, and
// with external linkage it leaves some of the span loop's calls out of line.
#if defined(__GNUC__)
#define SP_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define SP_ALWAYS_INLINE inline
#endif
