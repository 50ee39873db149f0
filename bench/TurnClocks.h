// The clocks of benchmarks that time two sides taking turns: the calling
// thread's CPU time and the wall time, in seconds.
#pragma once

#include <ctime>

struct TurnClocks {
    double cpu = 0, wall = 0;

    static TurnClocks Now() {
        timespec cpuTime{}, wallTime{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuTime);
        clock_gettime(CLOCK_MONOTONIC, &wallTime);
        return {static_cast<double>(cpuTime.tv_sec) + static_cast<double>(cpuTime.tv_nsec) * 1e-9,
                static_cast<double>(wallTime.tv_sec) + static_cast<double>(wallTime.tv_nsec) * 1e-9};
    }

    // Adds the time from start to now.
    void AddSince(const TurnClocks& start) {
        const TurnClocks end = Now();
        cpu += end.cpu - start.cpu;
        wall += end.wall - start.wall;
    }
};
