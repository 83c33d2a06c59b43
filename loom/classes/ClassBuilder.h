// Building the framework's own class records from their tables.
#pragma once

#include "loom/Classes.h"

#include <initializer_list>
#include <string_view>

namespace loom::detail {

// An operation the framework implements, by its slot in the virtual table.
struct Implementation {
    int slot;
    Code code;
};

struct PropertySpec {
    std::string_view name;
    PropType type;
    Value initial;
};

struct ClassSpec {
    std::string_view name;
    const ClassRecord* parent = nullptr;
    Object* (*allocate)() = nullptr;                          // none: the parent's
    std::initializer_list<std::string_view> operations = {};  // virtual, after the parent's
    std::initializer_list<Implementation> implemented = {};   // the others raise "not supported"
    std::initializer_list<PropertySpec> properties = {};      // after the parent's
    std::initializer_list<std::string_view> events = {};      // after the parent's
    std::initializer_list<std::string_view> methods = {};     // further members, not virtual
};

// A property's initial value from a row of a class's list: its type and the
// value's parts, none for an empty text or no object.
template <PropType P, typename... Parts>
Value initial(Parts... parts) {
    if constexpr (P == PropType::Integer)
        return Value::integer(parts...);
    else if constexpr (P == PropType::Enumeration)
        return Value::integer(parts..., PropType::Enumeration);
    else if constexpr (P == PropType::Boolean)
        return Value::boolean(parts...);
    else if constexpr (P == PropType::String)
        return Value::string(std::string_view(parts...));
    else if constexpr (P == PropType::Color)
        return Value::color(Color{static_cast<uint8_t>(parts)...});
    else if constexpr (P == PropType::Single)
        return Value::single(parts...);
    else if constexpr (P == PropType::ByteEnumeration)
        return Value::byteEnum(static_cast<uint8_t>(parts)...);
    else {
        static_assert(sizeof...(Parts) == 0, "an object property starts as none");
        return Value::object(nullptr);
    }
}

// Expanding a class's lists (ClassTables.h) into the parts of its spec.
#define LOOM_NAME_(name, ...) #name,
#define LOOM_PROPERTY_(name, type, ...) {#name, PropType::type, detail::initial<PropType::type>(__VA_ARGS__)},
#define LOOM_NAMES(LIST) \
    { LIST(LOOM_NAME_) }
#define LOOM_PROPERTIES(LIST) \
    { LIST(LOOM_PROPERTY_) }

// Members: the parent's, then the operations, the properties and the methods.
const ClassRecord* buildClass(const ClassSpec& spec);
Ref<String> literal(std::string_view text);  // for the entries of a record, which keep it for good

template <typename T>
Object* allocate() {
    return new T;
}

[[noreturn]] void unsupportedOperation();

}  // namespace loom::detail
