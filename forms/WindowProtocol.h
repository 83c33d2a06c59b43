// The one protocol by which every window is constructed, laid out, given its
// controls and found again. Each window's form supplies its data.
#pragma once

#include "loom/Loom.h"

#include <span>
#include <string_view>

namespace protocol {

// The kinds of control a form can hold; each fixes the control's text size
// unit setter, the class it is cast to, and the event a handler binds to.
enum class Kind { Timer, BevelButton, Label, CheckBox, TextField, ComboBox };

struct ControlForm {
    std::string_view name;
    Kind kind;
    const loom::ClassRecord* (*cls)();  // the class it is created from
    loom::String* (*record)();          // its layout record, a constant of the form
    int handlerSlot = -1;               // the window's handler in its virtual table, or -1
};

// The window registered under `registeredName`, else a new one constructed from
// `cls`; with a reference for the caller, cast to `cls`.
loom::WindowObject* implicitInstance(loom::String* registeredName, const loom::ClassRecord* (*cls)());

// Layout: the backdrop from `picture` (none included), then the window's record.
void layOut(loom::WindowObject* window, loom::PictureObject* (*picture)(), loom::String* record);

// CreateControls: the window's _CreateControls0, through its virtual table.
void createControls(loom::WindowObject* window, int createControlsSlot);

// _CreateControls0: each control in turn, every step done before the next control.
void createEachControl(loom::WindowObject* window, std::span<const ControlForm> controls);

// A control accessor: the control of that name cast to `cls`, or none.
loom::Object* control(loom::WindowObject* window, loom::String* name, const loom::ClassRecord* cls);

template <typename T>
T* control(loom::WindowObject* window, loom::String* name, const loom::ClassRecord* cls) {
    return static_cast<T*>(control(window, name, cls));
}

// The event stubs the framework calls with the control that raised the event:
// each calls the invoke routine of the delegate bound to that event.
void Timer_Action(loom::TimerObject* timer);
void BevelButton_Action(loom::BevelButtonObject* button);
bool Label_MouseDown(loom::LabelObject* label, int32_t x, int32_t y);

}  // namespace protocol
