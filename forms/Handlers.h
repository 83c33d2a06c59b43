// Steps that the windows' handlers are made of. Every reference is tested
// before use: a missing one raises NilObjectException at that step.
#pragma once

#include "loom/Loom.h"

namespace handlers {

using WindowAccessor = loom::WindowObject* (*)();
using PictureAccessor = loom::PictureObject* (*)();

// Shows or hides the control that the window's accessor at `slot` returns.
template <typename T>
void setVisible(loom::WindowObject* window, int slot, bool visible) {
    loom::Ref<T> control = loom::adopt(loom::RuntimeVirtualCall<T*(loom::WindowObject*)>(window, slot, window));
    if (!control) loom::RaiseNilObjectException();
    loom::RectControl::Visible_Set(control.get(), 0, visible);
}

// The window from its accessor, then the picture from its accessor, then the backdrop.
void setBackdrop(WindowAccessor window, PictureAccessor picture);

// Shows or hides the window its accessor returns.
void setWindowVisible(WindowAccessor window, bool visible);

}  // namespace handlers
