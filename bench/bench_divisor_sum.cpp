// Times the divisor sums of the search's chains n, s(n), s(s(n)) for every n below 20000:
// the plain trial loop against each way this machine can run and against DivisorSum itself,
// side by side in one run. Each figure is the best of a few rounds, to shed noise from the
// other processes sharing the machine.
#include <windows.h>
#include <stdio.h>

#include "app/divisor_sum.h"

static const int32_t ChainLimit = 20000;
static const int Rounds = 5;

static double Seconds(void)
{
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return (double)t.QuadPart / (double)f.QuadPart;
}

// The work of the search without its window: both chain steps for every candidate.
static double ChainTime(DivisorSumFunction sum, uint32_t *check)
{
    double t0 = Seconds();
    uint32_t c = 0;
    for (int32_t n = 0; n < ChainLimit; n++) {
        int32_t s1 = sum(n);
        int32_t s2 = sum(s1);
        c = c * 31u + (uint32_t)s1 * 7u + (uint32_t)s2;
    }
    *check = c;
    return Seconds() - t0;
}

int main()
{
    struct Entry { const char *name; DivisorSumFunction sum; double best; uint32_t check; };
    Entry entries[DivisorSumPathCount + 1];
    int count = 0;
    for (int p = 0; p < DivisorSumPathCount; p++)
        if (DivisorSumPathUsable(p))
            entries[count++] = Entry{DivisorSumPathName(p), DivisorSumPathFunction(p), 1e30, 0};
    entries[count++] = Entry{"shipped", DivisorSum, 1e30, 0};

    // Interleaved rounds: every way sees the same machine load.
    for (int r = 0; r < Rounds; r++)
        for (int i = 0; i < count; i++) {
            double t = ChainTime(entries[i].sum, &entries[i].check);
            if (t < entries[i].best) entries[i].best = t;
        }

    int mismatches = 0;
    for (int i = 1; i < count; i++) mismatches += entries[i].check != entries[0].check;
    double plain = entries[0].best;
    printf("divisor_sum_cpu_paths: ");
    for (int p = 0; p < DivisorSumPathCount; p++)
        if (DivisorSumPathUsable(p)) printf("%s ", DivisorSumPathName(p));
    printf("\ndivisor_sum_shipped_path: %s\n", DivisorSumPathName(DivisorSumPathChosen()));
    printf("divisor_sum_mismatches: %d\n", mismatches);
    for (int i = 0; i < count; i++)
        printf("divisor_sum_seconds_%s: %.4f\n", entries[i].name, entries[i].best);
    for (int i = 1; i < count - 1; i++)
        printf("divisor_sum_speedup_%s: %.2f\n", entries[i].name, plain / entries[i].best);
    printf("divisor_sum_speedup: %.2f\n", plain / entries[count - 1].best);
    return mismatches != 0;
}
