// The framework's classes, each built from its lists in ClassTables.h: the
// virtual operations it adds to its parent's (with those the framework
// implements), its properties, its events and its further members.
#include "ClassBuilder.h"
#include "loom/Files.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

namespace loom {

using detail::allocate;
using detail::buildClass;

namespace {
// Window operations the framework implements; the rest raise "not supported".
void windowShow(WindowObject* w) { Window::Visible_Set(w, 0, true); }
void windowHide(WindowObject* w) { Window::Visible_Set(w, 0, false); }
void windowClose(WindowObject* w) { closeWindow(w); }
// Operations that give an object hand the caller a reference.
WindowObject* windowSelf(WindowObject* w) { return retain(w).release(); }
Object* windowControlAt(WindowObject* w, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= w->controls.size()) return nullptr;
    return retain(w->controls[static_cast<size_t>(index)].control.get()).release();
}
WindowObject* controlWindow(ControlObject* c) { return c->window.strong().release(); }
void controlClose(ControlObject* c) { RectControl::Visible_Set(c, 0, false); }
void timerReset(TimerObject* t) { Timer::Mode_Set(t, 0, property(t, TimerProp::Mode).asInteger()); }
void timerCallAction(TimerObject* t) { fireTimer(t); }
}  // namespace

namespace ObjectClass {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({.name = "Object", .allocate = allocate<Object>});
    return r;
}
}  // namespace ObjectClass

namespace Application {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({.name = "Application",
                                              .parent = ObjectClass::__Lookup(),
                                              .allocate = allocate<ApplicationObject>,
                                              .operations = LOOM_NAMES(LOOM_APPLICATION_OPERATIONS),
                                              .events = LOOM_NAMES(LOOM_APPLICATION_EVENTS)});
    return r;
}
}  // namespace Application

namespace RuntimeException {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({.name = "RuntimeException",
                                              .parent = ObjectClass::__Lookup(),
                                              .allocate = allocate<ExceptionObject>,
                                              .properties = LOOM_PROPERTIES(LOOM_RUNTIMEEXCEPTION_PROPERTIES)});
    return r;
}
}  // namespace RuntimeException

namespace NilObjectException {
const ClassRecord* __Lookup() {
    // Its instances are made as its parent's.
    static const ClassRecord* r = buildClass({.name = "NilObjectException", .parent = RuntimeException::__Lookup()});
    return r;
}
}  // namespace NilObjectException

namespace Picture {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({.name = "Picture",
                                              .parent = ObjectClass::__Lookup(),
                                              .allocate = allocate<PictureObject>,
                                              .properties = LOOM_PROPERTIES(LOOM_PICTURE_PROPERTIES)});
    return r;
}
}  // namespace Picture

namespace FolderItem {
const ClassRecord* __Lookup() {
    static const ClassRecord* r =
        buildClass({.name = "FolderItem", .parent = ObjectClass::__Lookup(), .allocate = allocate<FolderItemObject>});
    return r;
}
}  // namespace FolderItem

namespace Delegate {
const ClassRecord* __Lookup() {
    static const ClassRecord* r =
        buildClass({.name = "Delegate", .parent = ObjectClass::__Lookup(), .allocate = allocate<DelegateObject>});
    return r;
}
}  // namespace Delegate

namespace Window {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({.name = "Window",
                                              .parent = ObjectClass::__Lookup(),
                                              .allocate = allocate<WindowObject>,
                                              .operations = LOOM_NAMES(LOOM_WINDOW_OPERATIONS),
                                              .implemented =
                                                  {
                                                      {WindowSlot::Show, code(&windowShow)},
                                                      {WindowSlot::Hide, code(&windowHide)},
                                                      {WindowSlot::Close, code(&windowClose)},
                                                      {WindowSlot::Control, code(&windowControlAt)},
                                                      {WindowSlot::_AddControl, code(&Window::_AddControl)},
                                                      {WindowSlot::Window, code(&windowSelf)},
                                                      {WindowSlot::__New, code(&Window::__New)},
                                                      {WindowSlot::Constructor, code(&Window::Constructor)},
                                                      {WindowSlot::TrueWindow, code(&windowSelf)},
                                                      {WindowSlot::_ControlByName, code(&Window::_ControlByName)},
                                                  },
                                              .properties = LOOM_PROPERTIES(LOOM_WINDOW_PROPERTIES),
                                              .events = LOOM_NAMES(LOOM_WINDOW_EVENTS),
                                              .methods = LOOM_NAMES(LOOM_WINDOW_METHODS)});
    return r;
}
}  // namespace Window

namespace Timer {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass(
        {.name = "Timer",
         .parent = ObjectClass::__Lookup(),
         .allocate = allocate<TimerObject>,
         .operations = LOOM_NAMES(LOOM_TIMER_OPERATIONS),
         .implemented = {{TimerSlot::Reset, code(&timerReset)}, {TimerSlot::_CallAction, code(&timerCallAction)}},
         .properties = LOOM_PROPERTIES(LOOM_TIMER_PROPERTIES),
         .events = LOOM_NAMES(LOOM_TIMER_EVENTS)});
    return r;
}
}  // namespace Timer

namespace Control {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass(
        {.name = "Control",
         .parent = ObjectClass::__Lookup(),
         .allocate = allocate<ControlObject>,
         .operations = LOOM_NAMES(LOOM_CONTROL_OPERATIONS),
         .implemented = {{ControlSlot::Close, code(&controlClose)}, {ControlSlot::Window, code(&controlWindow)}},
         .properties = LOOM_PROPERTIES(LOOM_CONTROL_PROPERTIES),
         .events = LOOM_NAMES(LOOM_CONTROL_EVENTS)});
    return r;
}
}  // namespace Control

namespace RectControl {
const ClassRecord* __Lookup() {
    static const ClassRecord* r =
        buildClass({.name = "RectControl",
                    .parent = Control::__Lookup(),
                    .allocate = allocate<RectControlObject>,
                    .operations = LOOM_NAMES(LOOM_RECTCONTROL_OPERATIONS),
                    .implemented = {{RectControlSlot::Constructor, code(&RectControl::Constructor)}},
                    .properties = LOOM_PROPERTIES(LOOM_RECTCONTROL_PROPERTIES),
                    .events = LOOM_NAMES(LOOM_RECTCONTROL_EVENTS)});
    return r;
}
}  // namespace RectControl

// The controls add properties and events only.
#define LOOM_CONTROL_CLASS(Class, Parent, PROPERTIES, EVENTS)                                \
    namespace Class {                                                                        \
    const ClassRecord* __Lookup() {                                                          \
        static const ClassRecord* r = buildClass({.name = #Class,                            \
                                                  .parent = Parent::__Lookup(),              \
                                                  .allocate = allocate<Class##Object>,       \
                                                  .properties = LOOM_PROPERTIES(PROPERTIES), \
                                                  .events = EVENTS});                        \
        return r;                                                                            \
    }                                                                                        \
    }
LOOM_CONTROL_CLASS(BevelButton, RectControl, LOOM_BEVELBUTTON_PROPERTIES, LOOM_NAMES(LOOM_BEVELBUTTON_EVENTS))
LOOM_CONTROL_CLASS(CheckBox, RectControl, LOOM_CHECKBOX_PROPERTIES, LOOM_NAMES(LOOM_CHECKBOX_EVENTS))
LOOM_CONTROL_CLASS(Label, RectControl, LOOM_LABEL_PROPERTIES, {})
LOOM_CONTROL_CLASS(TextEdit, RectControl, LOOM_TEXTEDIT_PROPERTIES, LOOM_NAMES(LOOM_TEXTEDIT_EVENTS))
LOOM_CONTROL_CLASS(TextField, TextEdit, LOOM_TEXTFIELD_PROPERTIES, {})
LOOM_CONTROL_CLASS(PopupMenu, RectControl, LOOM_POPUPMENU_PROPERTIES, LOOM_NAMES(LOOM_POPUPMENU_EVENTS))
LOOM_CONTROL_CLASS(ComboBox, PopupMenu, LOOM_COMBOBOX_PROPERTIES, LOOM_NAMES(LOOM_COMBOBOX_EVENTS))
#undef LOOM_CONTROL_CLASS

void registerFrameworkClasses() {
    ObjectClass::__Lookup();
    RuntimeException::__Lookup();
    NilObjectException::__Lookup();
    Delegate::__Lookup();
    FolderItem::__Lookup();
    Picture::__Lookup();
    Application::__Lookup();
    Window::__Lookup();
    Timer::__Lookup();
    Control::__Lookup();
    RectControl::__Lookup();
    BevelButton::__Lookup();
    CheckBox::__Lookup();
    Label::__Lookup();
    TextEdit::__Lookup();
    TextField::__Lookup();
    PopupMenu::__Lookup();
    ComboBox::__Lookup();
}

}  // namespace loom
