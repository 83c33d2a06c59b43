// Window5: a small dialog, its backdrop "abo.jpg" and its one button, OK, which
// hides it.
#pragma once

#include "loom/Loom.h"

namespace Window5 {

loom::WindowObject* Window5();
const loom::ClassRecord* __Lookup();
void __ctblinit();

void Layout(loom::WindowObject* window);
void CreateControls(loom::WindowObject* window);
void _CreateControls0(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton1(loom::WindowObject* window);
void BevelButton1_Action(loom::WindowObject* window, loom::BevelButtonObject* button);

namespace slot {
enum : int {
    Layout = loom::WindowSlot::Count,
    CreateControls,
    _CreateControls0,
    BevelButton1,
    BevelButton1_Action,
    End
};
}
static_assert(slot::End - slot::Layout == 5);

}  // namespace Window5
