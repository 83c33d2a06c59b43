#include "forms/WindowProtocol.h"

#include "forms/PluginEntrypoints.h"
#include "forms/TimerControlClass.h"

#include <string>

using namespace loom;

namespace protocol {

namespace {

String* const kAction = RuntimeNewString("Action");
String* const kMouseDown = RuntimeNewString("MouseDown");
String* const kTimerSignature = RuntimeNewString("( Timer )");
String* const kBevelButtonSignature = RuntimeNewString("( BevelButton )");
String* const kLabelSignature = RuntimeNewString("( Label, Int32, Int32 ) as Boolean");

Object* newControl(WindowObject* w, const ClassRecord* cls) {
    return RuntimeVirtualCall<Object*(WindowObject*, const ClassRecord*)>(w, WindowSlot::__New, w, cls);
}

Object* byName(WindowObject* w, String* name) {
    return RuntimeVirtualCall<Object*(WindowObject*, String*)>(w, WindowSlot::_ControlByName, w, name);
}

// The class a control is cast to when it is found again by name.
const ClassRecord* castClass(const ControlForm& c) {
    switch (c.kind) {
    case Kind::Timer: return Timer::__Lookup();
    case Kind::BevelButton: return ::BevelButton::__Lookup();
    case Kind::Label: return Label::__Lookup();
    case Kind::CheckBox: return CheckBox::__Lookup();
    case Kind::TextField: return TextField::__Lookup();
    case Kind::ComboBox: return ComboBox::__Lookup();
    }
    return nullptr;
}

void setTextUnit(Kind kind, Object* c) {
    switch (kind) {
    case Kind::Timer: break;
    case Kind::BevelButton: ::BevelButton::TextUnit_Set(c, 0, 0); break;
    case Kind::Label: Label::TextUnit_Set(c, 0, 0); break;
    case Kind::CheckBox: CheckBox::TextUnit_Set(c, 0, 0); break;
    case Kind::TextField: TextField::TextUnit_Set(c, 0, 0); break;
    case Kind::ComboBox: PopupMenu::TextUnit_Set(c, 0, 0); break;
    }
}

void bind(WindowObject* w, const ControlForm& c, Object* found) {
    Code handler = w->cls->vtable->entries.at(static_cast<size_t>(c.handlerSlot));
    Code invoke = nullptr;
    String* event = kAction;
    String* signature = nullptr;
    Code stub = nullptr;
    switch (c.kind) {
    case Kind::Timer:
        invoke = code(static_cast<void (*)(Object*, TimerObject*)>(&Delegate::IM_Invoke));
        signature = kTimerSignature;
        stub = code(&Timer_Action);
        break;
    case Kind::BevelButton:
        invoke = code(static_cast<void (*)(Object*, BevelButtonObject*)>(&Delegate::IM_Invoke));
        signature = kBevelButtonSignature;
        stub = code(&BevelButton_Action);
        break;
    case Kind::Label:
        invoke = code(static_cast<bool (*)(Object*, LabelObject*, int32_t, int32_t)>(&Delegate::IM_Invoke));
        event = kMouseDown;
        signature = kLabelSignature;
        stub = code(&Label_MouseDown);
        break;
    default: RaiseRuntimeException("no event of this control is bound");
    }
    Ref<Object> delegate = adopt(RuntimeCreateDelegate(invoke, handler, w, signature, 1));
    RuntimeAddEventHandler(found, event, stub, delegate.get());
}

}  // namespace

WindowObject* implicitInstance(String* registeredName, const ClassRecord* (*cls)()) {
    Ref<WindowObject> w = adopt(_GetImplicitWindow(registeredName));
    if (!w) {
        w = adopt(static_cast<WindowObject*>(RuntimeNewObject(cls())));
        RuntimeVirtualCall<void(WindowObject*)>(w.get(), WindowSlot::Constructor, w.get());
    }
    RuntimeCheckCast(w.get(), cls());
    return w.release();
}

void layOut(WindowObject* window, PictureObject* (*picture)(), String* record) {
    {
        Ref<PictureObject> backdrop = adopt(picture());
        Window::Backdrop_Set(window, 0, backdrop.get());
    }
    _SetProperties(window, record);
}

void createControls(WindowObject* window, int createControlsSlot) {
    RuntimeVirtualCall<void(WindowObject*)>(window, createControlsSlot, window);
}

void createEachControl(WindowObject* w, std::span<const ControlForm> controls) {
    for (const ControlForm& c : controls) {
        const Ref<String> name = adopt(RuntimeNewString(c.name));

        {  // create, construct, register
            Ref<Object> made = adopt(newControl(w, c.cls()));
            const int constructor =
                c.kind == Kind::Timer ? timerclass::constructorSlot() : RectControlSlot::Constructor;
            RuntimeVirtualCall<void(Object*)>(made.get(), constructor, made.get());
            RuntimeVirtualCall<void(WindowObject*, String*, Object*)>(w, WindowSlot::_AddControl, w, name.get(),
                                                                      made.get());
        }
        if (c.kind != Kind::Timer) {  // text size unit 0
            Ref<Object> found = adopt(byName(w, name.get()));
            setTextUnit(c.kind, RuntimeCheckCast(found.get(), castClass(c)));
        }
        {  // layout record
            Ref<Object> found = adopt(byName(w, name.get()));
            _SetProperties(RuntimeCheckCast(found.get(), castClass(c)), c.record());
        }
        if (c.handlerSlot >= 0) {  // binding
            Ref<Object> found = adopt(byName(w, name.get()));
            bind(w, c, RuntimeCheckCast(found.get(), castClass(c)));
        }
    }
}

Object* control(WindowObject* window, String* name, const ClassRecord* cls) {
    if (!window) RaiseNilObjectException();
    Ref<Object> found = adopt(byName(window, name));
    RuntimeCheckCast(found.get(), cls);
    return found.release();
}

namespace {
// The invoke routine of the delegate bound to the control's event, as a routine
// of type F; a missing delegate or routine raises NilObjectException.
template <typename F>
F* invokeRoutine(const Object* delegate) {
    Code invoke = RuntimeDelegateInvoke(delegate);
    if (!invoke) RaiseNilObjectException();
    return as<F>(invoke);
}
}  // namespace

void Timer_Action(TimerObject* timer) {
    Ref<Object> delegate = adopt(RuntimeEventDelegate(timer, kAction));
    invokeRoutine<void(Object*, TimerObject*)>(delegate.get())(delegate.get(), timer);
}

void BevelButton_Action(BevelButtonObject* button) {
    Ref<Object> delegate = adopt(RuntimeEventDelegate(button, kAction));
    invokeRoutine<void(Object*, BevelButtonObject*)>(delegate.get())(delegate.get(), button);
}

bool Label_MouseDown(LabelObject* label, int32_t x, int32_t y) {
    Ref<Object> delegate = adopt(RuntimeEventDelegate(label, kMouseDown));
    return invokeRoutine<bool(Object*, LabelObject*, int32_t, int32_t)>(delegate.get())(delegate.get(), label, x, y);
}

}  // namespace protocol
