#include "forms/TimerControlClass.h"

#include "forms/ClassSetup.h"

#include <algorithm>
#include <array>

using namespace loom;

namespace timerclass {

namespace {

enum Field { kIndexField, kFieldCount };

void setWindow(TimerObject* timer, WindowObject* window) { timer->window = WeakRef<WindowObject>(window); }
WindowObject* window(TimerObject* timer) {
    RuntimeLockObject(timer->window.get());
    return timer->window.get();
}
int32_t index(TimerObject* timer) { return timer->fields[kIndexField].asInteger(); }
void setIndex(TimerObject* timer, int32_t index) { timer->fields[kIndexField] = Value::integer(index); }
void constructor(TimerObject*) {}  // empty: the window and the record give the rest

// name, signature, code
const std::array<setup::Member, 5> kMembers{{
    /* 1 */ {"_SetWindow", "%%o<Window>", code(&setWindow)},
    /* 2 */ {"Window", "%o<Window>%", code(&window)},
    /* 3 */ {"_Index", "%i4%", code(&index)},
    /* 4 */ {"_SetIndex", "%%i4", code(&setIndex)},
    /* 5 */ {"Constructor", "%%", code(&constructor)},
}};

}  // namespace

void setUp(const ClassRecord*& record, std::string_view registeredName) {
    setup::setUpClass(record, {registeredName, &Timer::__Lookup, kMembers, {}, "Private", kFieldCount});
}

int constructorSlot() {
    // Own members follow Timer's operations, in the table's order.
    static const int slot =
        TimerSlot::Count +
        static_cast<int>(std::ranges::find(kMembers, "Constructor", &setup::Member::name) - kMembers.begin());
    return slot;
}

}  // namespace timerclass
