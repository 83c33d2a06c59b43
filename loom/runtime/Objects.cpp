// Objects, reference counting, weak references, class records and casts.
#include "loom/CallRecord.h"
#include "loom/Classes.h"
#include "loom/NeverDestroyed.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <cassert>

namespace loom {

namespace {
int64_t g_liveObjects = 0;

// Class records live for the whole process; the list is never destroyed, so
// they stay reachable to the end (also for the leak checker).
std::vector<const ClassRecord*>& classList() {
    static NeverDestroyed<std::vector<const ClassRecord*>> list;
    return *list;
}
}  // namespace

const std::vector<const ClassRecord*>& RuntimeClassRecords() { return classList(); }

// Freed only by the release of its last reference: one freed with references
// outstanding leaves them dangling.
Object::~Object() { assert(refs == 0 && "object freed with references outstanding"); }

int ClassRecord::eventIndex(std::string_view n) const {
    for (size_t i = 0; i < events.size(); ++i)
        if (view(events[i].name) == n) return static_cast<int>(i);
    return -1;
}

const MemberRecord* ClassRecord::memberByCode(Code c) const {
    if (!c) return nullptr;
    for (const MemberRecord& m : members)
        if (m.code == c) return &m;
    return nullptr;
}

ClassRecord* RuntimeNewClass(const ClassRecord* parent, int32_t memberTotal, int32_t interfaceTotal, int32_t eventTotal,
                             int32_t reserved, int32_t propertyTotal, int32_t classAttributeCount) {
    LOOM_RECORD("RuntimeNewClass", parent ? std::string(parent->registeredName()) : std::string("none"));
    auto* cls = new ClassRecord;
    cls->parent = parent;
    cls->interfaceTotal = interfaceTotal;
    cls->reserved = reserved;
    if (parent) {
        cls->members = parent->members;
        cls->events = parent->events;
        cls->properties = parent->properties;
        cls->allocate = parent->allocate;
        cls->fieldCount = parent->fieldCount;
    }
    // Totals include the parent's entries; a total below them keeps them all.
    auto atLeast = [](size_t have, int32_t want) { return std::max(have, static_cast<size_t>(std::max(want, 0))); };
    cls->members.resize(atLeast(cls->members.size(), memberTotal));
    cls->events.resize(atLeast(cls->events.size(), eventTotal));
    cls->properties.resize(atLeast(cls->properties.size(), propertyTotal));
    cls->classAttributes.resize(static_cast<size_t>(std::max(classAttributeCount, 0)));
    classList().push_back(cls);
    return cls;
}

Vtable* RuntimeNewVtable(int32_t entryCount) {
    auto* vt = new Vtable;
    vt->entries.assign(static_cast<size_t>(std::max(entryCount, 0)), nullptr);
    return vt;
}

Attribute* RuntimeAllocateAttributeTable(MemberRecord* table, int32_t entry, int32_t count) {
    MemberRecord& m = table[entry];
    // A table of its own: an inherited entry's parent keeps the one it shared.
    m.attributes = AttributeTable(static_cast<size_t>(std::max(count, 0)));
    return m.attributes.data();
}

Object* RuntimeNewObject(const ClassRecord* cls) {
    if (!cls || !cls->allocate) RaiseRuntimeException("RuntimeNewObject: a class record with no instances");
    LOOM_RECORD("RuntimeNewObject", std::string(cls->registeredName()));
    Object* o = cls->allocate();
    o->cls = cls;
    o->props.reserve(cls->properties.size());
    for (const PropertyRecord& p : cls->properties) o->props.push_back(p.initial);
    o->fields.resize(static_cast<size_t>(cls->fieldCount));
    ++g_liveObjects;
    return o;
}

void RuntimeLockObject(Object* o) {
    if (o) ++o->refs;
}

void RuntimeUnlockObject(Object* o) {
    if (!o) return;
    assert(o->refs > 0 && "object released more often than retained");
    if (--o->refs != 0) return;
    if (WeakAnchor* a = o->anchor) {
        a->object = nullptr;
        if (a->weakRefs == 0) delete a;
    }
    --g_liveObjects;
    delete o;
}

void RuntimeLockUnlockObjects(Object* newValue, Object* oldValue) {
    RuntimeLockObject(newValue);
    RuntimeUnlockObject(oldValue);
}

int64_t RuntimeLiveObjectCount() { return g_liveObjects; }

bool RuntimeObjectIsa(const Object* o, const ClassRecord* cls) {
    if (!o || !cls) return false;
    for (const ClassRecord* c = o->cls; c; c = c->parent)
        if (c == cls) return true;
    return false;
}

Object* RuntimeCheckCast(Object* o, const ClassRecord* cls) {
    LOOM_RECORD("RuntimeCheckCast", o ? objectName(o) : std::string("none"),
                std::string(cls ? cls->registeredName() : ""));
    if (!o) return nullptr;
    if (!RuntimeObjectIsa(o, cls))
        RaiseRuntimeException("cannot cast an object of class " + std::string(o->cls->registeredName()) + " to " +
                              std::string(cls ? cls->registeredName() : "none"));
    return o;
}

WeakAnchor* RuntimeWeakAnchor(Object* o) {
    if (!o) return nullptr;
    if (!o->anchor) o->anchor = new WeakAnchor{o, 0};
    ++o->anchor->weakRefs;
    return o->anchor;
}

void RuntimeRetainWeak(WeakAnchor* a) {
    if (a) ++a->weakRefs;
}

void RuntimeReleaseWeak(WeakAnchor* a) {
    if (!a) return;
    assert(a->weakRefs > 0 && "weak reference released more often than taken");
    if (--a->weakRefs == 0 && !a->object) delete a;
}

}  // namespace loom
