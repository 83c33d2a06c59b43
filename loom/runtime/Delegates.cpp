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

DelegateObject::~DelegateObject() {
    RuntimeUnlockObject(strongTarget);
    RuntimeReleaseWeak(weakTarget);
    RuntimeUnlockString(signature);
}

Object* RuntimeCreateDelegate(Code invoke, Code routine, Object* target, String* signature, int32_t weak) {
    LOOM_RECORD("RuntimeCreateDelegate", '"' + std::string(view(signature)) + '"', target ? objectName(target) : "none",
                "weak=" + std::to_string(weak));
    auto* d = static_cast<DelegateObject*>(RuntimeNewObject(Delegate::__Lookup()));
    d->invoke = invoke;
    d->routine = routine;
    d->weak = weak != 0;
    if (d->weak) {
        d->weakTarget = RuntimeWeakAnchor(target);
    } else {
        RuntimeLockObject(target);
        d->strongTarget = target;
    }
    RuntimeLockString(signature);
    d->signature = signature;
    if (const auto& observe = delegateObserver()) observe(d);
    return d;
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

// The delegate's target with a reference held for the call, or a raise when a
// target it was made with is gone.
class Target {
public:
    explicit Target(DelegateObject* d)
        : m_object(d->weak ? (d->weakTarget ? d->weakTarget->object : nullptr) : d->strongTarget) {
        if (!m_object) RaiseNilObjectException();
        RuntimeLockObject(m_object);
    }
    ~Target() { RuntimeUnlockObject(m_object); }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    WindowObject* window() const { return static_cast<WindowObject*>(m_object); }

private:
    Object* m_object;
};

}  // namespace

namespace Delegate {

Object* InvokePo_Object_Ppp(Object* delegate, void* first, void* second) {
    return as<Object*(void*, void*)>(delegateOf(delegate)->routine)(first, second);
}

void InvokePP(Object* delegate) { as<void()>(delegateOf(delegate)->routine)(); }

void InvokePPp(Object* delegate, void* argument) { as<void(void*)>(delegateOf(delegate)->routine)(argument); }

void IM_Invoke(Object* delegate, TimerObject* timer) {
    DelegateObject* d = delegateOf(delegate);
    Target target(d);
    as<void(WindowObject*, TimerObject*)>(d->routine)(target.window(), timer);
}

void IM_Invoke(Object* delegate, BevelButtonObject* button) {
    DelegateObject* d = delegateOf(delegate);
    Target target(d);
    as<void(WindowObject*, BevelButtonObject*)>(d->routine)(target.window(), button);
}

bool IM_Invoke(Object* delegate, LabelObject* label, int32_t x, int32_t y) {
    DelegateObject* d = delegateOf(delegate);
    Target target(d);
    return as<bool(WindowObject*, LabelObject*, int32_t, int32_t)>(d->routine)(target.window(), label, x, y);
}

}  // namespace Delegate
}  // namespace loom
