// The framework clock: monotonic, at the full resolution of the system's
// steady clock. Timer deadlines are instants on it, never rounded.
#pragma once

#include <chrono>

namespace loom {

using Instant = std::chrono::steady_clock::time_point;

}  // namespace loom
