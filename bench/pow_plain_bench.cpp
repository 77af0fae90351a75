// Tracing a graph of powers in a plain process, without Qt, as ovilan-cli does. Prints one line;
// pow_window_bench runs this program for the figure it compares with.

#include "bench/pow_trace.h"

#include <cstdio>

int main()
{
    std::printf("trace pow_chain plain_process ms=%.2f\n", ovilan::bench::fastestPowTraceMs());
    return 0;
}
