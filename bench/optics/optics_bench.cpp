#include <benchmark/benchmark.h>

#include <cmath>

#include "optics/extended_cos.h"
#include "optics/optics.h"
#include "optics/phase.h"

namespace {

// The finest run the inputs allow: 0 to 90 degrees at 0.001 degree, 90001 points.
TInputParams FullRun(Extended n2, Extended k2) {
    TInputParams params;
    params.n1 = 1;
    params.k1 = 0;
    params.n2 = n2;
    params.k2 = k2;
    params.AngleMin = 0;
    params.AngleMax = 90;
    params.AngleRes = 0.001L;
    params.Count = MaxPoints;
    return params;
}

void BM_FullSweep(benchmark::State& state) {
    const TInputParams params = FullRun(2, 1);
    static TSweepResults store;
    for (auto _ : state) {
        ComputeSweep(params, store);
        benchmark::DoNotOptimize(store.R[params.Count]);
    }
}
BENCHMARK(BM_FullSweep)->Unit(benchmark::kMillisecond);

void BM_PseudoBrewster(benchmark::State& state) {
    const TInputParams params = FullRun(2, 1);
    static TSweepResults store;
    ComputeSweep(params, store);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindPseudoBrewster(params, store));
    }
}
BENCHMARK(BM_PseudoBrewster)->Unit(benchmark::kMillisecond);

// The parts of one sweep point, to see where its time goes.
void BM_Cosine(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < 90001; ++i) {
            benchmark::DoNotOptimize(ExtendedCos(static_cast<Extended>(i) / 1000 * Pi / 180));
        }
    }
}
BENCHMARK(BM_Cosine)->Unit(benchmark::kMillisecond);

void BM_Reflectance(benchmark::State& state) {
    Extended rp, rs, r;
    for (auto _ : state) {
        for (int i = 0; i < 90001; ++i) {
            InterfaceReflectance(2, 1, static_cast<Extended>(i) / 90001, rp, rs, r);
            benchmark::DoNotOptimize(rp);
            benchmark::DoNotOptimize(rs);
            benchmark::DoNotOptimize(r);
        }
    }
}
BENCHMARK(BM_Reflectance)->Unit(benchmark::kMillisecond);

// The phases of every point of the finest run, filled after its sweep: what a phase page adds to
// a plot run (compare BM_FullSweep).
void BM_PhaseSweep(benchmark::State& state) {
    const TInputParams params = FullRun(2, 1);
    static TSweepResults store;
    static TPhaseResults phases;
    ComputeSweep(params, store);
    for (auto _ : state) {
        for (int i = 1; i <= params.Count; ++i) {
            ComputePhasePoint(store, phases, i);
        }
        benchmark::DoNotOptimize(phases.Delta[params.Count]);
    }
}
BENCHMARK(BM_PhaseSweep)->Unit(benchmark::kMillisecond);

// The phases alone, without the cosine, over 90001 cosines; beyond the critical angle of a
// transparent pair for the second argument.
void BM_Phases(benchmark::State& state) {
    const Extended n = state.range(0) == 0 ? 2 : 1 / 1.51L;
    const Extended k = state.range(0) == 0 ? 1 : 0;
    for (auto _ : state) {
        for (int i = 1; i <= 90001; ++i) {
            benchmark::DoNotOptimize(InterfacePhases(n, k, static_cast<Extended>(i) / 90001));
        }
    }
}
BENCHMARK(BM_Phases)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
