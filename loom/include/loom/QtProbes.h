// Probes of the Qt presentation for measuring tools (the benchmarks): hooks
// called at a few moments of the event loop and of drawing. The program never
// sets them; an unset hook costs one test of a null pointer.
#pragma once

#include "loom/Clock.h"

namespace loom {
struct WindowObject;
}

namespace loom::probes {

using WindowHook = void (*)(WindowObject* window);
using DeadlineHook = void (*)(Instant deadline);

// A window's backdrop was painted into its frame (called at the end of the
// top-level widget's paint; its controls paint right after, in the same frame).
void setWindowPainted(WindowHook hook);
// A timer asked the presenter to wake at that deadline of the framework clock
// (every request, also those an earlier wake-up already covers).
void setWakeRequested(DeadlineHook hook);
// The wake-up for that deadline came: the due timers run right after.
void setTimersDue(DeadlineHook hook);

namespace detail {
extern WindowHook g_windowPainted;
extern DeadlineHook g_wakeRequested;
extern DeadlineHook g_timersDue;
}  // namespace detail

// Call sites in the presentation.
inline void windowPainted(WindowObject* window) {
    if (detail::g_windowPainted) detail::g_windowPainted(window);
}
inline void wakeRequested(Instant deadline) {
    if (detail::g_wakeRequested) detail::g_wakeRequested(deadline);
}
inline void timersDue(Instant deadline) {
    if (detail::g_timersDue) detail::g_timersDue(deadline);
}

}  // namespace loom::probes
