// Side-by-side timing of the framework and a peer library on the same input.
//
// Samples alternate (ours, peer, ours, peer, ...) on one pinned CPU, so a slow
// phase of the machine hits both sides alike; the medians give the ratio
// "our rate / peer rate" (above 1: faster than the peer).
#pragma once
#include <benchmark/benchmark.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace tovan::bench {

inline void PinToCurrentCpu() {
    static const bool pinned = [] {
        int cpu = sched_getcpu();
        if (cpu < 0)
            return false;
        cpu_set_t set;
        CPU_ZERO(&set);
        CPU_SET(cpu, &set);
        return sched_setaffinity(0, sizeof set, &set) == 0;
    }();
    (void)pinned;
}

struct PeerTiming {
    double ours = 0;  // median seconds per run
    double peer = 0;
    double Ratio() const { return ours > 0 ? peer / ours : 0; }
};

template <class Fn>
double TimeOnce(Fn& fn) {
    auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One warm-up run of each, then `rounds` alternating samples of each.
template <class Ours, class Peer>
PeerTiming ComparePeers(int rounds, Ours&& ours, Peer&& peer) {
    PinToCurrentCpu();
    ours();
    peer();
    std::vector<double> a, b;
    for (int i = 0; i < rounds; ++i) {
        a.push_back(TimeOnce(ours));
        b.push_back(TimeOnce(peer));
    }
    return {Median(a), Median(b)};
}

// Runs the comparison once per benchmark iteration and reports our median time
// as the iteration time, with the peer's time, the ratio and our rate. Register
// with ->UseManualTime()->Iterations(1).
template <class Ours, class Peer>
void RunPeerBenchmark(benchmark::State& state, int rounds, double bytesPerRun, Ours&& ours, Peer&& peer) {
    PeerTiming t;
    for (auto _ : state) {
        t = ComparePeers(rounds, ours, peer);
        state.SetIterationTime(t.ours);
    }
    state.counters["peer_ms"] = t.peer * 1e3;
    state.counters["ratio"] = t.Ratio();
    if (bytesPerRun > 0 && t.ours > 0)
        state.counters["MB/s"] = bytesPerRun / t.ours / 1e6;
}

}  // namespace tovan::bench
