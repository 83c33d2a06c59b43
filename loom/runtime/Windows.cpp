// Windows and controls as framework objects, and the events raised on them.
#include "loom/Windows.h"
#include "Internal.h"
#include "loom/CallRecord.h"
#include "loom/Presenter.h"
#include "loom/Runtime.h"

#include <algorithm>

namespace loom {

using detail::windows;

// A window freed with a view, one that was never registered, takes the view
// with it. A control that the program still holds outlives its window, which
// it holds weakly.
WindowObject::~WindowObject() {
    if (view) presenter().windowDestroyed(this);
}

const EventBinding* ControlObject::binding(int event) const {
    for (const EventBinding& b : bindings)
        if (b.event == event) return &b;
    return nullptr;
}

const Value& property(const Object* o, int slot) { return o->props.at(static_cast<size_t>(slot)); }

void setProperty(Object* o, int slot, Value v) {
    Value& held = o->props.at(static_cast<size_t>(slot));
    if (held == v) return;
    held = std::move(v);
    presenter().propertyChanged(o, slot);
}

std::string objectName(const Object* o) {
    if (!o) return "none";
    if (RuntimeObjectIsa(o, Window::__Lookup())) return std::string(o->cls->registeredName());
    if (RuntimeObjectIsa(o, Picture::__Lookup())) return static_cast<const PictureObject*>(o)->name;
    if (auto* c = dynamic_cast<const ControlObject*>(o)) {
        if (const WindowObject* w = c->window.get())
            for (const NamedControl& n : w->controls)
                if (n.control == c) return std::string(view(n.name));
    }
    if (RuntimeObjectIsa(o, Control::__Lookup())) {
        std::string name(property(o, ControlProp::Name).text());
        if (!name.empty()) return name;
    }
    return std::string(o->cls->registeredName());
}

WindowObject* _GetImplicitWindow(String* className) {
    LOOM_RECORD("_GetImplicitWindow", std::string(view(className)));
    for (const Ref<WindowObject>& w : windows())
        if (w->cls->registeredName() == view(className)) return retain(w.get()).release();
    return nullptr;
}

std::vector<WindowObject*> RuntimeWindows() {
    std::vector<WindowObject*> list;
    list.reserve(windows().size());
    for (const Ref<WindowObject>& w : windows()) list.push_back(w.get());
    return list;
}

void raiseWindowEvent(WindowObject* window, int event) {
    const EventRecord& e = window->cls->events.at(static_cast<size_t>(event));
    if (!e.handler) return;
    Code handler = e.handler;
    const Ref<WindowObject> held = retain(window);  // a handler may close its window
    detail::callProgram(detail::memberName(window->cls, handler), [&] { as<void(WindowObject*)>(handler)(window); });
}

namespace Window {

void Constructor(WindowObject* window) {
    LOOM_RECORD("Window.Constructor", objectName(window));
    // Registered first, so that what construction calls finds this window.
    windows().push_back(retain(window));
    presenter().windowConstructed(window);
    raiseWindowEvent(window, WindowEvent::Layout);
    raiseWindowEvent(window, WindowEvent::CreateControls);
    // The modified mark is cleared; the view shows it.
    setProperty(window, WindowProp::ContentsChanged, Value::boolean(false));
    // Open comes once, from the event loop, once the constructing call has returned.
    // The posted event holds the window weakly, released whether or not it runs.
    presenter().post([weak = WeakRef<WindowObject>(window)] {
        WindowObject* win = weak.get();
        if (win && !win->openRaised) {
            win->openRaised = true;
            raiseWindowEvent(win, WindowEvent::Open);
        }
    });
}

Object* __New(WindowObject* window, const ClassRecord* controlClass) {
    LOOM_RECORD("Window.__New", objectName(window),
                std::string(controlClass ? controlClass->registeredName() : "none"));
    Ref<Object> o = adopt(RuntimeNewObject(controlClass));
    auto* control = dynamic_cast<ControlObject*>(o.get());
    if (!control)
        RaiseRuntimeException("Window.__New: " + std::string(controlClass->registeredName()) + " is no control class");
    control->window = WeakRef<WindowObject>(window);
    return o.release();
}

void _AddControl(WindowObject* window, String* name, Object* control) {
    LOOM_RECORD("Window._AddControl", objectName(window), std::string(view(name)));
    auto* c = dynamic_cast<ControlObject*>(control);
    if (!window || !c) RaiseNilObjectException();
    c->window = WeakRef<WindowObject>(window);
    window->controls.push_back({retain(name), retain(c)});
    presenter().controlAdded(window, c);
}

Object* _ControlByName(WindowObject* window, String* name) {
    LOOM_RECORD("Window._ControlByName", objectName(window), std::string(view(name)));
    if (!window) RaiseNilObjectException();
    for (const NamedControl& n : window->controls)
        if (view(n.name) == view(name)) return retain(n.control.get()).release();
    return nullptr;
}

void Backdrop_Set(WindowObject* window, int32_t, PictureObject* picture) {
    LOOM_RECORD("Window.Backdrop.Set", objectName(window), picture ? picture->name : "none");
    if (!window) RaiseNilObjectException();
    setProperty(window, WindowProp::Backdrop, Value::object(picture));
}

void Visible_Set(WindowObject* window, int32_t, bool visible) {
    LOOM_RECORD("Window.Visible.Set", objectName(window), visible ? "true" : "false");
    if (!window) RaiseNilObjectException();
    if (property(window, WindowProp::Visible).asBoolean() == visible) return;
    setProperty(window, WindowProp::Visible, Value::boolean(visible));
    presenter().visibilityChanged();
}

}  // namespace Window

void closeWindow(WindowObject* window) {
    auto& list = windows();
    auto it = std::find(list.begin(), list.end(), window);
    if (it == list.end()) return;
    Ref<WindowObject> held = std::move(*it);  // released once its view is gone
    list.erase(it);
    setProperty(window, WindowProp::Visible, Value::boolean(false));
    presenter().windowDestroyed(window);
    held.reset();
    presenter().visibilityChanged();
}

namespace RectControl {

void Constructor(Object* control) {
    LOOM_RECORD("RectControl.Constructor", objectName(control));
    auto* c = dynamic_cast<ControlObject*>(control);
    if (!c) RaiseNilObjectException();
    c->constructed = true;
}

void Visible_Set(Object* control, int32_t, bool visible) {
    LOOM_RECORD("RectControl.Visible.Set", objectName(control), visible ? "true" : "false");
    if (!RuntimeObjectIsa(control, loom::RectControl::__Lookup())) RaiseNilObjectException();
    setProperty(control, RectControlProp::Visible, Value::boolean(visible));
}

}  // namespace RectControl

namespace TextField {
void Text_Set(Object* field, int32_t, String* text) {
    LOOM_RECORD("TextField.Text.Set", objectName(field), '"' + std::string(view(text)) + '"');
    if (!RuntimeObjectIsa(field, loom::TextField::__Lookup())) RaiseNilObjectException();
    setProperty(field, TextFieldProp::Text, Value::string(text ? text : nullptr));
}
}  // namespace TextField

namespace {
void setTextUnit(const char* op, Object* control, const ClassRecord* cls, int slot, uint8_t unit) {
    LOOM_RECORD(op, objectName(control), std::to_string(unit));
    if (!RuntimeObjectIsa(control, cls)) RaiseNilObjectException();
    setProperty(control, slot, Value::byteEnum(unit));
}
}  // namespace

void TextField::TextUnit_Set(Object* c, int32_t, uint8_t unit) {
    setTextUnit("TextField.TextUnit.Set", c, loom::TextField::__Lookup(), TextFieldProp::TextUnit, unit);
}
void CheckBox::TextUnit_Set(Object* c, int32_t, uint8_t unit) {
    setTextUnit("CheckBox.TextUnit.Set", c, loom::CheckBox::__Lookup(), CheckBoxProp::TextUnit, unit);
}
void Label::TextUnit_Set(Object* c, int32_t, uint8_t unit) {
    setTextUnit("Label.TextUnit.Set", c, loom::Label::__Lookup(), LabelProp::TextUnit, unit);
}
void PopupMenu::TextUnit_Set(Object* c, int32_t, uint8_t unit) {
    setTextUnit("PopupMenu.TextUnit.Set", c, loom::PopupMenu::__Lookup(), PopupMenuProp::TextUnit, unit);
}

// ---- Control events ------------------------------------------------------------

void RuntimeAddEventHandler(Object* control, String* event, Code stub, Object* delegate) {
    LOOM_RECORD("RuntimeAddEventHandler", objectName(control), std::string(view(event)));
    auto* c = dynamic_cast<ControlObject*>(control);
    if (!c) RaiseNilObjectException();
    int index = c->cls->eventIndex(view(event));
    if (index < 0)
        RaiseRuntimeException("RuntimeAddEventHandler: " + std::string(c->cls->registeredName()) + " has no event " +
                              std::string(view(event)));
    for (EventBinding& b : c->bindings)
        if (b.event == index) {
            b.stub = stub;
            b.delegate = retain(delegate);
            return;
        }
    c->bindings.push_back({index, stub, retain(delegate)});
}

Object* RuntimeEventDelegate(Object* control, String* event) {
    auto* c = dynamic_cast<ControlObject*>(control);
    if (!c) return nullptr;
    const EventBinding* b = c->binding(c->cls->eventIndex(view(event)));
    if (!b) return nullptr;
    return retain(b->delegate.get()).release();
}

namespace {

// Where a control event runs, for reports: the bound handler, a member of the
// control's window's class; once the window is freed, the control and the event.
std::string handlerName(const ControlObject* c, const EventBinding& b) {
    if (const WindowObject* w = c->window.get(); w && b.delegate)
        return detail::memberName(w->cls, RuntimeDelegateCode(b.delegate.get()));
    return objectName(c) + "." + std::string(view(c->cls->events[static_cast<size_t>(b.event)].name));
}

template <typename Call>
bool raiseControlEvent(ControlObject* c, std::string_view event, Call&& call) {
    const int index = c->cls->eventIndex(event);
    const EventBinding* b = c->binding(index);
    if (!b) return false;
    Code stub = b->stub;
    const Ref<ControlObject> held = retain(c);  // a handler may close its window and so release the control
    detail::callProgram(handlerName(c, *b), [&] { call(stub); });
    return true;
}

}  // namespace

void fireTimer(TimerObject* timer) {
    raiseControlEvent(timer, "Action", [&](Code stub) { as<void(TimerObject*)>(stub)(timer); });
}

void pressButton(BevelButtonObject* button) {
    raiseControlEvent(button, "Action", [&](Code stub) { as<void(BevelButtonObject*)>(stub)(button); });
}

bool clickLabel(LabelObject* label, int32_t x, int32_t y) {
    bool result = false;
    raiseControlEvent(label, "MouseDown",
                      [&](Code stub) { result = as<bool(LabelObject*, int32_t, int32_t)>(stub)(label, x, y); });
    return result;
}

bool anyWindowVisible() {
    return std::any_of(windows().begin(), windows().end(),
                       [](const Ref<WindowObject>& w) { return property(w.get(), WindowProp::Visible).asBoolean(); });
}

FolderItemObject* GetOpenFolderItem(String* fileTypeFilter) {
    LOOM_RECORD("GetOpenFolderItem", '"' + std::string(view(fileTypeFilter)) + '"');
    return presenter().openFileDialog(view(fileTypeFilter)).release();
}

}  // namespace loom
