// The splash window: its picture, two one-shot timers, and the hand-over to the
// main window 3700 ms after it opened.
#pragma once

#include "loom/Loom.h"

namespace Window1 {

loom::WindowObject* Window1();  // the implicit instance, constructed on first call
const loom::ClassRecord* __Lookup();
void __ctblinit();

void Layout(loom::WindowObject* window);
void CreateControls(loom::WindowObject* window);
void _CreateControls0(loom::WindowObject* window);
loom::TimerObject* Timer1(loom::WindowObject* window);
loom::TimerObject* Timer2(loom::WindowObject* window);
void Timer1_Action(loom::WindowObject* window, loom::TimerObject* timer);
void Timer2_Action(loom::WindowObject* window, loom::TimerObject* timer);
void Event_Open(loom::WindowObject* window);

// Own members in the virtual table, after Window's.
namespace slot {
enum : int {
    Layout = loom::WindowSlot::Count,
    CreateControls,
    _CreateControls0,
    Timer1,
    Timer2,
    Timer1_Action,
    Timer2_Action,
    Event_Open,
    End
};
}

// The timer control classes, registered as "Window1.Timer1" and "Window1.Timer2".
namespace Timer1Class {
const loom::ClassRecord* __Lookup();
void __ctblinit();
}  // namespace Timer1Class
namespace Timer2Class {
const loom::ClassRecord* __Lookup();
void __ctblinit();
}  // namespace Timer2Class

}  // namespace Window1
