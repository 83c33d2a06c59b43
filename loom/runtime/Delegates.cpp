#include "loom/Delegates.h"

#include "loom/CallRecord.h"
#include "loom/Runtime.h"
#include "loom/Testing.h"
#include "loom/Windows.h"

namespace loom {

namespace {
std::function<void(Object*)>& delegateObserver() {
    static std::function<void(Object*)> observer;
    return observer;
}
}  // namespace

namespace testing {
void observeDelegates(std::function<void(Object*)> observer) { delegateObserver() = std::move(observer); }
}  // namespace testing

Object* RuntimeCreateDelegate(Code invoke, Code routine, Object* target, String* signature, int32_t weak) {
    LOOM_RECORD("RuntimeCreateDelegate", '"' + std::string(view(signature)) + '"', target ? objectName(target) : "none",
                "weak=" + std::to_string(weak));
    Ref<DelegateObject> d = newObject<DelegateObject>(Delegate::__Lookup());
    d->invoke = invoke;
    d->routine = routine;
    d->weak = weak != 0;
    if (d->weak)
        d->weakTarget = WeakRef<Object>(target);
    else
        d->strongTarget = retain(target);
    d->signature = retain(signature);
    if (const auto& observe = delegateObserver()) observe(d.get());
    return d.release();
}

Code RuntimeDelegateCode(const Object* delegate) {
    if (!RuntimeObjectIsa(delegate, Delegate::__Lookup())) return nullptr;
    return static_cast<const DelegateObject*>(delegate)->routine;
}

Code RuntimeDelegateInvoke(const Object* delegate) {
    if (!RuntimeObjectIsa(delegate, Delegate::__Lookup())) return nullptr;
    return static_cast<const DelegateObject*>(delegate)->invoke;
}

namespace {

DelegateObject* delegateOf(Object* o) {
    if (!RuntimeObjectIsa(o, Delegate::__Lookup())) RaiseNilObjectException();
    return static_cast<DelegateObject*>(o);
}

// The one place a delegate's target is resolved: the window its handler is
// called on, held for the call. A weak target that is gone, a delegate made for
// none, or a target that is no window raises NilObjectException here, and the
// handler does not run.
Ref<WindowObject> targetWindow(const DelegateObject* d) {
    Ref<WindowObject> window =
        downcast<WindowObject>(d->weak ? d->weakTarget.strong() : d->strongTarget, Window::__Lookup());
    if (!window) RaiseNilObjectException();
    return window;
}

}  // namespace

namespace Delegate {

Object* InvokePo_Object_Ppp(Object* delegate, void* first, void* second) {
    return as<Object*(void*, void*)>(delegateOf(delegate)->routine)(first, second);
}

void InvokePP(Object* delegate) { as<void()>(delegateOf(delegate)->routine)(); }

void InvokePPp(Object* delegate, void* argument) { as<void(void*)>(delegateOf(delegate)->routine)(argument); }

void IM_Invoke(Object* delegate, TimerObject* timer) {
    DelegateObject* d = delegateOf(delegate);
    const Ref<WindowObject> window = targetWindow(d);
    as<void(WindowObject*, TimerObject*)>(d->routine)(window.get(), timer);
}

void IM_Invoke(Object* delegate, BevelButtonObject* button) {
    DelegateObject* d = delegateOf(delegate);
    const Ref<WindowObject> window = targetWindow(d);
    as<void(WindowObject*, BevelButtonObject*)>(d->routine)(window.get(), button);
}

bool IM_Invoke(Object* delegate, LabelObject* label, int32_t x, int32_t y) {
    DelegateObject* d = delegateOf(delegate);
    const Ref<WindowObject> window = targetWindow(d);
    return as<bool(WindowObject*, LabelObject*, int32_t, int32_t)>(d->routine)(window.get(), label, x, y);
}

}  // namespace Delegate
}  // namespace loom
