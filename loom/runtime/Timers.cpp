// One-shot timers on the framework clock.
#include "Internal.h"
#include "loom/CallRecord.h"
#include "loom/Presenter.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <algorithm>
#include <vector>

namespace loom {

namespace {
// Armed timers, each held until it fires or is stopped.
std::vector<Ref<TimerObject>>& armed() {
    static std::vector<Ref<TimerObject>> list;
    return list;
}

void disarm(TimerObject* t) {
    auto& list = armed();
    auto it = std::find(list.begin(), list.end(), t);
    if (it == list.end()) return;
    const Ref<TimerObject> held = std::move(*it);
    list.erase(it);
    t->deadline.reset();
}

void scheduleWake() {
    auto& list = armed();
    if (list.empty()) return;
    Instant next = *list.front()->deadline;
    for (const Ref<TimerObject>& t : list) next = std::min(next, *t->deadline);
    presenter().wakeAt(next);
}
}  // namespace

namespace Timer {

void Mode_Set(Object* timer, int32_t, int32_t mode) {
    LOOM_RECORD("Timer.Mode.Set", objectName(timer), std::to_string(mode));
    if (!RuntimeObjectIsa(timer, loom::Timer::__Lookup())) RaiseNilObjectException();
    auto* t = static_cast<TimerObject*>(timer);
    setProperty(t, TimerProp::Mode, Value::integer(mode));
    disarm(t);
    if (mode == 0 || !property(t, TimerProp::Enabled).asBoolean()) return;
    const int32_t period = std::max(property(t, TimerProp::Period).asInteger(), 0);
    // Counted from this reading of the clock, at its full resolution.
    t->deadline = presenter().now() + std::chrono::milliseconds(period);
    armed().push_back(retain(t));
    scheduleWake();
}

}  // namespace Timer

void runDueTimers() {
    const Instant now = presenter().now();
    for (;;) {
        auto& list = armed();
        auto due = std::min_element(list.begin(), list.end(), [](const Ref<TimerObject>& a, const Ref<TimerObject>& b) {
            return *a->deadline < *b->deadline;
        });
        if (due == list.end() || *(*due)->deadline > now) break;
        const Ref<TimerObject> t = *due;  // held while it fires, disarmed or not
        // A one-shot timer is off once it fires: mode 1 becomes 0.
        disarm(t.get());
        setProperty(t.get(), TimerProp::Mode, Value::integer(0));
        fireTimer(t.get());
    }
    scheduleWake();
}

bool anyTimerArmed() { return !armed().empty(); }

void stopAllTimers() {
    while (!armed().empty()) disarm(armed().back().get());
}

}  // namespace loom
