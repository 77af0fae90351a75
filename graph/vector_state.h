#pragma once

namespace ovilan {

// Marks the upper halves of the processor's 256-bit vector registers unused again. Code that ran
// earlier in the process may have left them in use: the window toolkit's AVX2 pixel fill returns
// with the fill colour still in the upper half of a register. The C library's pow is VEX-encoded
// while our own code is plain SSE, and with the upper halves in use many x86 processors stall, or
// make each SSE instruction wait on the upper half, at every switch between the two: a trace full
// of powers then runs several times slower. Does nothing on processors without AVX.
void clearUpperVectorState();

} // namespace ovilan
