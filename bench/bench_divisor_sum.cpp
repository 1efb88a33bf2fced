// Times one way of summing divisors against the plain trial loop, side by side, on m drawn from
// four ranges, and checks every sum it times. Run once per way, each in a process of its own:
// legacy SSE code slows down in a process that has run any wider instruction.
// Usage: bench_divisor_sum WAY (scalar, sse2, avx2 or avx512).
#include <windows.h>
#include <cpuid.h>
#include <stdio.h>
#include <string.h>

#include <random>
#include <vector>

#include "app/divisor_sum.h"

namespace {

// Each range of m gets as many draws as keep its plain-loop time near a second.
struct BenchRange {
    const char *Name;
    int32_t Low, High;   // m from Low to High - 1
    int Draws;
};
const BenchRange Ranges[] = {
    {"2^10..2^16", 1 << 10, 1 << 16, 3000},
    {"2^16..2^24", 1 << 16, 1 << 24, 24},
    {"2^24..2^27", 1 << 24, 1 << 27, 5},
    {"2^27..2^31", 1 << 27, 2147483647, 1},
};
const int Rounds = 3;
const int WayTries = 5;

double Seconds(void)
{
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return (double)t.QuadPart / (double)f.QuadPart;
}

double TimeSums(DivisorSumFunction sum, const std::vector<int32_t> &ms, std::vector<int32_t> &sums)
{
    double start = Seconds();
    for (size_t i = 0; i < ms.size(); i++) sums[i] = sum(ms[i]);
    return Seconds() - start;
}

void PrintProcessor(void)
{
    unsigned brand[12] = {0};
    if (__get_cpuid_max(0x80000000, 0) >= 0x80000004)
        for (unsigned i = 0; i < 3; i++)
            __get_cpuid(0x80000002 + i, &brand[4 * i], &brand[4 * i + 1], &brand[4 * i + 2],
                        &brand[4 * i + 3]);
    char text[49] = {0};
    memcpy(text, brand, 48);
    const char *start = text;
    while (*start == ' ') start++;
    printf("divisor_sum_cpu: %s\n", start);
}

}   // namespace

int main(int argc, char **argv)
{
    int path = DivisorSumPathCount;
    for (int p = 0; p < DivisorSumPathCount; p++)
        if (argc > 1 && strcmp(argv[1], DivisorSumPathName(p)) == 0) path = p;
    if (path == DivisorSumPathCount) {
        fprintf(stderr, "usage: bench_divisor_sum scalar|sse2|avx2|avx512\n");
        return 2;
    }
    const char *name = DivisorSumPathName(path);
    bool shipped = path == DivisorSumPathChosen();
    if (shipped) {
        PrintProcessor();
        printf("divisor_sum_shipped_path: %s\n", name);
    }
    if (!DivisorSumPathUsable(path)) {
        printf("divisor_sum_path_%s: not usable here\n", name);
        return 0;
    }
    // The shipped way is timed through the front door the search calls.
    DivisorSumFunction way = shipped ? DivisorSum : DivisorSumPathFunction(path);

    std::mt19937 random(20240610);
    int mismatches = 0;
    double worst = 1e30;
    for (const BenchRange &range : Ranges) {
        std::uniform_int_distribution<int32_t> draw(range.Low, range.High - 1);
        std::vector<int32_t> ms(range.Draws), plainSums(ms.size()), waySums(ms.size());
        for (int32_t &m : ms) m = draw(random);
        double plainBest = 1e30, wayBest = 1e30;
        for (int r = 0; r < Rounds; r++) {   // interleaved, so both see the same load
            double plain = TimeSums(DivisorSumScalar, ms, plainSums);
            if (plain < plainBest) plainBest = plain;
            // The way's time is short enough for one preemption to swamp it: take the best of
            // a few tries within each round.
            for (int t = 0; t < WayTries; t++) {
                double timed = TimeSums(way, ms, waySums);
                if (timed < wayBest) wayBest = timed;
            }
            for (size_t i = 0; i < ms.size(); i++)
                if (waySums[i] != plainSums[i]) {
                    mismatches++;
                    fprintf(stderr, "%s: m = %ld gives %ld, the plain loop %ld\n", name,
                            (long)ms[i], (long)waySums[i], (long)plainSums[i]);
                }
        }
        double speedup = plainBest / wayBest;
        if (speedup < worst) worst = speedup;
        printf("divisor_sum_speedup_%s_%s: %.2f\n", name, range.Name, speedup);
        fflush(stdout);
    }
    printf("divisor_sum_mismatches_%s: %d\n", name, mismatches);
    if (shipped) printf("divisor_sum_speedup: %.2f\n", worst);
    return mismatches != 0;
}
