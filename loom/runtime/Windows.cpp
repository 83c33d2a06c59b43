// Windows and controls as framework objects, and the events raised on them.
#include "loom/Windows.h"
#include "Internal.h"
#include "loom/CallRecord.h"
#include "loom/Delegates.h"
#include "loom/Presenter.h"
#include "loom/Runtime.h"

#include <algorithm>
#include <memory>

namespace loom {

using detail::windows;

WindowObject::~WindowObject() {
    for (NamedControl& c : controls) {
        c.control->window = nullptr;
        RuntimeUnlockObject(c.control);
        RuntimeUnlockString(c.name);
    }
}

ControlObject::~ControlObject() {
    for (EventBinding& b : bindings) RuntimeUnlockObject(b.delegate);
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
    if (auto* c = dynamic_cast<const ControlObject*>(o); c && c->window) {
        for (const NamedControl& n : c->window->controls)
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
    for (WindowObject* w : windows())
        if (w->cls->registeredName() == view(className)) {
            RuntimeLockObject(w);
            return w;
        }
    return nullptr;
}

std::vector<WindowObject*> RuntimeWindows() { return windows(); }

void raiseWindowEvent(WindowObject* window, int event) {
    const EventRecord& e = window->cls->events.at(static_cast<size_t>(event));
    if (!e.handler) return;
    Code handler = e.handler;
    RuntimeLockObject(window);
    struct Unlock {
        WindowObject* w;
        ~Unlock() { RuntimeUnlockObject(w); }
    } unlock{window};
    detail::callProgram(detail::memberName(window->cls, handler), [&] { as<void(WindowObject*)>(handler)(window); });
}

namespace Window {

void Constructor(WindowObject* window) {
    LOOM_RECORD("Window.Constructor", objectName(window));
    // Registered first, so that what construction calls finds this window.
    RuntimeLockObject(window);
    windows().push_back(window);
    presenter().windowConstructed(window);
    raiseWindowEvent(window, WindowEvent::Layout);
    raiseWindowEvent(window, WindowEvent::CreateControls);
    // The modified mark is cleared; the view shows it.
    setProperty(window, WindowProp::ContentsChanged, Value::boolean(false));
    // Open comes once, from the event loop, once the constructing call has returned.
    // The posted event holds the window weakly, released whether or not it runs.
    std::shared_ptr<WeakAnchor> anchor(RuntimeWeakAnchor(window), &RuntimeReleaseWeak);
    presenter().post([anchor] {
        auto* win = static_cast<WindowObject*>(anchor->object);
        if (win && !win->openRaised) {
            win->openRaised = true;
            raiseWindowEvent(win, WindowEvent::Open);
        }
    });
}

Object* __New(WindowObject* window, const ClassRecord* controlClass) {
    LOOM_RECORD("Window.__New", objectName(window),
                std::string(controlClass ? controlClass->registeredName() : "none"));
    Object* o = RuntimeNewObject(controlClass);
    auto* control = dynamic_cast<ControlObject*>(o);
    if (!control) {
        RuntimeUnlockObject(o);
        RaiseRuntimeException("Window.__New: " + std::string(controlClass->registeredName()) + " is no control class");
    }
    control->window = window;
    return control;
}

void _AddControl(WindowObject* window, String* name, Object* control) {
    LOOM_RECORD("Window._AddControl", objectName(window), std::string(view(name)));
    auto* c = dynamic_cast<ControlObject*>(control);
    if (!window || !c) RaiseNilObjectException();
    RuntimeLockString(name);
    RuntimeLockObject(c);
    c->window = window;
    window->controls.push_back({name, c});
    presenter().controlAdded(window, c);
}

Object* _ControlByName(WindowObject* window, String* name) {
    LOOM_RECORD("Window._ControlByName", objectName(window), std::string(view(name)));
    if (!window) RaiseNilObjectException();
    for (const NamedControl& n : window->controls)
        if (view(n.name) == view(name)) {
            RuntimeLockObject(n.control);
            return n.control;
        }
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
    list.erase(it);
    setProperty(window, WindowProp::Visible, Value::boolean(false));
    presenter().windowDestroyed(window);
    RuntimeUnlockObject(window);
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
    RuntimeLockObject(delegate);
    for (EventBinding& b : c->bindings)
        if (b.event == index) {
            RuntimeUnlockObject(b.delegate);
            b.stub = stub;
            b.delegate = delegate;
            return;
        }
    c->bindings.push_back({index, stub, delegate});
}

Object* RuntimeEventDelegate(Object* control, String* event) {
    auto* c = dynamic_cast<ControlObject*>(control);
    if (!c) return nullptr;
    const EventBinding* b = c->binding(c->cls->eventIndex(view(event)));
    if (!b) return nullptr;
    RuntimeLockObject(b->delegate);
    return b->delegate;
}

namespace {

// Where a control event runs, for reports: the bound handler's member name.
std::string handlerName(const ControlObject* c, const EventBinding& b) {
    const auto* d = dynamic_cast<const DelegateObject*>(b.delegate);
    Object* target = d && d->weakTarget ? d->weakTarget->object : (d ? d->strongTarget : nullptr);
    if (target) return detail::memberName(target->cls, d->routine);
    return objectName(c) + "." + std::string(view(c->cls->events[static_cast<size_t>(b.event)].name));
}

template <typename Call>
bool raiseControlEvent(ControlObject* c, std::string_view event, Call&& call) {
    const int index = c->cls->eventIndex(event);
    const EventBinding* b = c->binding(index);
    if (!b) return false;
    Code stub = b->stub;
    RuntimeLockObject(c);
    struct Unlock {
        ControlObject* c;
        ~Unlock() { RuntimeUnlockObject(c); }
    } unlock{c};
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
                       [](WindowObject* w) { return property(w, WindowProp::Visible).asBoolean(); });
}

FolderItemObject* GetOpenFolderItem(String* fileTypeFilter) {
    LOOM_RECORD("GetOpenFolderItem", '"' + std::string(view(fileTypeFilter)) + '"');
    return presenter().openFileDialog(view(fileTypeFilter));
}

}  // namespace loom
