// Building the framework's own class records from their tables.
#pragma once

#include "loom/Classes.h"

#include <initializer_list>
#include <string_view>

namespace loom::detail {

struct OperationSpec {
    std::string_view name;
    Code code;  // none: the operation raises "not supported"
};

struct PropertySpec {
    std::string_view name;
    PropType type;
    Value initial;
};

struct ClassSpec {
    std::string_view name;
    const ClassRecord* parent;
    Object* (*allocate)();
    std::initializer_list<OperationSpec> operations;  // virtual, after the parent's
    std::initializer_list<PropertySpec> properties;   // after the parent's
    std::initializer_list<std::string_view> events;   // after the parent's
    std::initializer_list<std::string_view> methods;  // further members, not virtual
};

// Members: the parent's, then the operations, the properties and the methods.
const ClassRecord* buildClass(const ClassSpec& spec);
String* literal(std::string_view text);  // a string that lives for the process

template <typename T>
Object* allocate() {
    return new T;
}

[[noreturn]] void unsupportedOperation();

}  // namespace loom::detail
