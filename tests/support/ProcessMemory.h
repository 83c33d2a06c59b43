// The process's memory as the soak tests compare it.
#pragma once

#include <unistd.h>

#include <fstream>

namespace testsupport {

// Built with AddressSanitizer, whose quarantine holds freed memory back: the
// resident size then says nothing about what the program keeps.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// The process's resident size, in KiB.
inline long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace testsupport
