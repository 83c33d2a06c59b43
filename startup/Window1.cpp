// Window1's behaviour: Open starts both timers; the first shows the splash, the
// second hides it and then shows the main window.
#include "startup/Window1.h"

#include "forms/Handlers.h"
#include "mainwindow/Window2.h"

using namespace loom;

namespace Window1 {

void Event_Open(WindowObject* window) {
    Ref<TimerObject> timer1 = adopt(RuntimeVirtualCall<TimerObject*(WindowObject*)>(window, slot::Timer1, window));
    if (!timer1) RaiseNilObjectException();
    Timer::Mode_Set(timer1.get(), 0, 1);
    Ref<TimerObject> timer2 = adopt(RuntimeVirtualCall<TimerObject*(WindowObject*)>(window, slot::Timer2, window));
    if (!timer2) RaiseNilObjectException();
    Timer::Mode_Set(timer2.get(), 0, 1);
}

void Timer1_Action(WindowObject*, TimerObject*) { handlers::setWindowVisible(&Window1::Window1, true); }

// Hides the splash before the main window is first referred to, and so built.
void Timer2_Action(WindowObject*, TimerObject*) {
    handlers::setWindowVisible(&Window1::Window1, false);
    handlers::setWindowVisible(&Window2::Window2, true);
}

}  // namespace Window1
