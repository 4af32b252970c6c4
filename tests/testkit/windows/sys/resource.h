// getrusage's times and peak memory, for the Windows build of the tests and
// benchmarks.
#pragma once
#include <sys/time.h>
#include <windows.h>
// After windows.h.
#include <psapi.h>

#define RUSAGE_SELF 0

struct rusage {
    timeval ru_utime;
    timeval ru_stime;
    long ru_maxrss;  // KiB, as on Linux
};

inline timeval TimevalFromFiletime(const FILETIME& time) {
    // 100 ns units.
    const unsigned long long ticks = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    timeval out{};
    out.tv_sec = static_cast<long>(ticks / 10000000ULL);
    out.tv_usec = static_cast<long>(ticks % 10000000ULL / 10ULL);
    return out;
}

inline int getrusage(int, rusage* usage) {
    *usage = rusage{};
    FILETIME created{}, exited{}, kernel{}, user{};
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user) == 0) return -1;
    usage->ru_utime = TimevalFromFiletime(user);
    usage->ru_stime = TimevalFromFiletime(kernel);
    PROCESS_MEMORY_COUNTERS counters{};
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) != 0)
        usage->ru_maxrss = static_cast<long>(counters.PeakWorkingSetSize / 1024);
    return 0;
}
