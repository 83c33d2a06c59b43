// What both sides of a measurement use, so that the program and its floor are
// timed, measured and ended the same way.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace measure {

using Clock = std::chrono::steady_clock;

inline double usSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

// The process's peak resident size, in KiB, or -1 when unknown.
inline long vmHwmKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Ends the process at once once its figures are printed: nothing that comes
// after the measured moment runs.
[[noreturn]] inline void finish() {
    std::fflush(stdout);
    _exit(0);
}

}  // namespace measure
