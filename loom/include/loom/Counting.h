// Reference counting of the runtime's objects and strings, and weak references
// to objects: the operations that Ref and WeakRef are built on.
#pragma once

#include <cstdint>

namespace loom {

struct Object;
struct String;

// The anchor of weak references: cleared when its object is freed, freed itself
// when neither the object nor any weak reference is left.
struct WeakAnchor {
    Object* object = nullptr;
    int32_t weakRefs = 0;
};

void RuntimeLockObject(Object* o);    // accepts none
void RuntimeUnlockObject(Object* o);  // accepts none; frees at zero
void RuntimeLockUnlockObjects(Object* newValue, Object* oldValue);
void RuntimeLockString(String* s);    // accepts none
void RuntimeUnlockString(String* s);  // accepts none; frees at zero

WeakAnchor* RuntimeWeakAnchor(Object* o);  // takes a weak reference; none gives none
void RuntimeRetainWeak(WeakAnchor* a);     // one more weak reference; accepts none
void RuntimeReleaseWeak(WeakAnchor* a);    // accepts none

}  // namespace loom
