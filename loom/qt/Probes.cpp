// The measuring tools' hooks into the Qt presentation.
#include "loom/QtProbes.h"

namespace loom::probes {

namespace detail {
WindowHook g_windowPainted = nullptr;
DeadlineHook g_wakeRequested = nullptr;
DeadlineHook g_timersDue = nullptr;
}  // namespace detail

void setWindowPainted(WindowHook hook) { detail::g_windowPainted = hook; }
void setWakeRequested(DeadlineHook hook) { detail::g_wakeRequested = hook; }
void setTimersDue(DeadlineHook hook) { detail::g_timersDue = hook; }

}  // namespace loom::probes
