// Registering one of the program's classes: its record is built once, from a
// table of its own members, after its parent's entries.
#pragma once

#include "loom/Loom.h"

#include <span>
#include <string_view>

namespace setup {

// One own member: name, signature string, code; `hidden` adds the attribute Hidden.
struct Member {
    std::string_view name;
    std::string_view signature;
    loom::Code code;
    bool hidden = false;
};

// A window event the class handles, by its index in the event table.
struct EventHandler {
    int event;
    loom::Code handler;
};

struct ClassTable {
    std::string_view registeredName;
    const loom::ClassRecord* (*parent)();
    std::span<const Member> members;
    std::span<const EventHandler> events;
    std::string_view scope;  // the class attribute __Scope, or empty for none
    int fields = 0;          // fields after the parent's
};

// Builds and registers the record in `record` unless it already exists.
void setUpClass(const loom::ClassRecord*& record, const ClassTable& table);

}  // namespace setup
