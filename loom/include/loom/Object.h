// Counted objects and the class records they are made from.
#pragma once

#include "loom/Value.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace loom {

struct ClassRecord;

// A code address as the runtime stores it: virtual-table entries, member code,
// event handlers, plug-in entry points. Cast back to the routine's own type to call.
using Code = void (*)();
template <typename F>
Code code(F* f) {
    return reinterpret_cast<Code>(f);
}
template <typename F>
F* as(Code c) {
    return reinterpret_cast<F*>(c);
}

// Every instance of a registered class. Made by RuntimeNewObject with one
// reference held by the caller; freed when its count reaches zero, and only then.
struct Object {
    const ClassRecord* cls = nullptr;
    int32_t refs = 1;
    WeakAnchor* anchor = nullptr;
    std::vector<Value> props;   // by property slot of the class chain
    std::vector<Value> fields;  // fields a program class declares

    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();
};

// Member kinds in a member table.
enum MemberKind : int32_t { kMethodStatic = 0, kMethodVirtual = 1, kProperty = 2 };

// The texts are written by whoever fills the table, and held by it for good.
struct Attribute {
    String* name = nullptr;
    String* value = nullptr;  // none for an attribute without a value
};

// A member's attributes, as many as it was made for. Copies share the entries:
// an inherited member entry shares its parent's until it is given its own.
class AttributeTable {
public:
    AttributeTable() = default;
    explicit AttributeTable(size_t count) : m_entries(std::make_shared<Attribute[]>(count)), m_size(count) {}

    size_t size() const noexcept { return m_size; }
    bool empty() const noexcept { return m_size == 0; }
    Attribute* data() const noexcept { return m_entries.get(); }
    Attribute& operator[](size_t i) const noexcept { return m_entries[i]; }
    Attribute* begin() const noexcept { return data(); }
    Attribute* end() const noexcept { return data() + m_size; }

private:
    std::shared_ptr<Attribute[]> m_entries;
    size_t m_size = 0;
};

struct MemberRecord {
    Ref<String> name;
    int32_t kind = kMethodStatic;
    Ref<String> signature;
    Code code = nullptr;
    Code invoker = nullptr;  // introspection entry
    AttributeTable attributes;
};

struct EventRecord {
    Ref<String> name;
    Code handler = nullptr;  // a method of the class that handles the event, or none
};

struct PropertyRecord {
    Ref<String> name;
    PropType type = PropType::Integer;
    Value initial;  // the value a new instance holds
};

struct Vtable {
    std::vector<Code> entries;
};

// A class record: registered name, parent, virtual table, member, event and
// property tables, class attributes. Records live for the life of the process.
struct ClassRecord {
    String* name = nullptr;
    const ClassRecord* parent = nullptr;
    Vtable* vtable = nullptr;
    std::vector<MemberRecord> members;
    std::vector<EventRecord> events;
    std::vector<PropertyRecord> properties;
    std::vector<Attribute> classAttributes;
    int32_t interfaceTotal = 0;
    int32_t reserved = 0;             // the fifth count of RuntimeNewClass
    int32_t fieldCount = 0;           // fields of a program class, after its parent's
    Object* (*allocate)() = nullptr;  // the native instance, inherited from the parent

    std::string_view registeredName() const { return view(name); }
    int eventIndex(std::string_view name) const;  // exact; -1 when absent
    const MemberRecord* memberByCode(Code c) const;
};

}  // namespace loom
