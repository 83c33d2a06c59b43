// The object runtime and the start-up services that the program calls.
#pragma once

#include "loom/Object.h"
#include "loom/Ref.h"

#include <cstdint>

namespace loom {

// ---- Class records -------------------------------------------------------
// A new record holding the parent's member, event and property entries at its
// first places; the remaining places up to each total are blank.
ClassRecord* RuntimeNewClass(const ClassRecord* parent, int32_t memberTotal, int32_t interfaceTotal, int32_t eventTotal,
                             int32_t reserved, int32_t propertyTotal, int32_t classAttributeCount);
Vtable* RuntimeNewVtable(int32_t entryCount);
// Room for `count` attributes of member `entry` of `table`.
Attribute* RuntimeAllocateAttributeTable(MemberRecord* table, int32_t entry, int32_t count);

// ---- Objects --------------------------------------------------------------
// Reference counting and weak references: loom/Counting.h.
Object* RuntimeNewObject(const ClassRecord* cls);                // never none; not yet constructed
// The same inside the framework, held: `cls` being a class whose instances are Ts.
template <typename T>
Ref<T> newObject(const ClassRecord* cls) {
    return adopt(static_cast<T*>(RuntimeNewObject(cls)));
}
bool RuntimeObjectIsa(const Object* o, const ClassRecord* cls);  // none is of no class
// The same object as the given class; none stays none. An object of another
// class raises a RuntimeException.
Object* RuntimeCheckCast(Object* o, const ClassRecord* cls);
template <typename T>
T* RuntimeCheckCastAs(Object* o, const ClassRecord* cls) {
    return static_cast<T*>(RuntimeCheckCast(o, cls));
}
// The same reference as a T, `cls` being the class whose instances are Ts;
// none, and the reference released, when the object is not of that class.
template <typename T, typename U>
Ref<T> downcast(Ref<U> o, const ClassRecord* cls) {
    if (!RuntimeObjectIsa(o.get(), cls)) return nullptr;
    return adopt(static_cast<T*>(o.release()));
}
int64_t RuntimeLiveObjectCount();  // every counted object not yet freed

// ---- Exceptions ---------------------------------------------------------------
// What a raised exception unwinds with: the exception object, held by reference.
class Raised {
public:
    explicit Raised(Ref<Object> exception) : m_exception(std::move(exception)) {}
    Object* exception() const { return m_exception.get(); }

private:
    Ref<Object> m_exception;
};

[[noreturn]] void RuntimeRaise(Object* exception);  // takes over one reference
[[noreturn]] void RaiseNilObjectException();
[[noreturn]] void RaiseRuntimeException(std::string_view message);
// The exception being handled in a catch block, as an object with a reference
// for the caller; a foreign C++ exception becomes a RuntimeException.
Object* RuntimeCurrentException();
std::string describeException(const Object* exception);  // "NilObjectException: ..."

// ---- Delegates ----------------------------------------------------------------
// The weak flag 1 holds the target weakly; 0 holds it strongly.
Object* RuntimeCreateDelegate(Code invoke, Code routine, Object* target, String* signature, int32_t weak);
// What a delegate was made with; none for what is no delegate.
Code RuntimeDelegateCode(const Object* delegate);    // the routine's code address
Code RuntimeDelegateInvoke(const Object* delegate);  // its invoke routine

// ---- Plug-in entry points -------------------------------------------------------
Code* RuntimeAllocatePluginEntrypointsTable(int32_t size);
Code RuntimeLookupPluginEntrypoint(String* memberName);  // none when unknown

// ---- Start-up and run --------------------------------------------------------------
void RuntimeInit();
// Sets up the framework's module state: its windows, introspection maps and
// list of implicit windows. Called once the classes are registered.
void RuntimeInitModuleState();
void RuntimeFinalizeModuleState();
int32_t RuntimeExit();  // the process's exit status
void _RuntimeSetExceptionHelper(Code helper);
void _RunFrameworkInitialization(Code startup);
void _RuntimeInitExternalClasses();
void _RuntimeRegisterAppObject(Object* application);
void _RuntimeRun();
void _UnhandledException(Object* exception);

// The application object the framework holds, or none.
Object* RuntimeApplication();

// Calls the operation at `slot` of the object's virtual table, as a routine of type F.
template <typename F, typename... A>
decltype(auto) RuntimeVirtualCall(const Object* self, int slot, A&&... args) {
    return as<F>(self->cls->vtable->entries.at(static_cast<size_t>(slot)))(std::forward<A>(args)...);
}

}  // namespace loom
