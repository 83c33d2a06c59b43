#include "forms/ClassSetup.h"

using namespace loom;

namespace setup {

namespace {
// A text stored in a record: the record holds its one reference for good.
String* text(std::string_view s) { return RuntimeNewString(s); }
}  // namespace

void setUpClass(const ClassRecord*& record, const ClassTable& table) {
    if (record) return;
    const ClassRecord* parent = table.parent();
    const auto own = static_cast<int32_t>(table.members.size());
    const auto parentMembers = static_cast<int32_t>(parent->members.size());
    const auto parentOps = static_cast<int32_t>(parent->vtable->entries.size());
    ClassRecord* cls = RuntimeNewClass(parent, parentMembers + own, parent->interfaceTotal,
                                       static_cast<int32_t>(parent->events.size()), 0,
                                       static_cast<int32_t>(parent->properties.size()), table.scope.empty() ? 0 : 1);
    cls->name = text(table.registeredName);
    cls->fieldCount = parent->fieldCount + table.fields;

    cls->vtable = RuntimeNewVtable(parentOps + own);
    for (int32_t i = 0; i < parentOps; ++i)
        cls->vtable->entries[static_cast<size_t>(i)] = parent->vtable->entries[static_cast<size_t>(i)];
    for (int32_t i = 0; i < own; ++i)
        cls->vtable->entries[static_cast<size_t>(parentOps + i)] = table.members[static_cast<size_t>(i)].code;

    for (int32_t i = 0; i < own; ++i) {
        const Member& m = table.members[static_cast<size_t>(i)];
        const int32_t entry = parentMembers + i;
        MemberRecord& r = cls->members[static_cast<size_t>(entry)];
        r.name = adopt(text(m.name));
        r.kind = kMethodVirtual;
        r.signature = adopt(text(m.signature));
        r.code = m.code;
        r.invoker = code(RuntimeInvokerFor(m.signature));
        Attribute* attributes = RuntimeAllocateAttributeTable(cls->members.data(), entry, m.hidden ? 2 : 1);
        attributes[0] = {text("__Scope"), text("Public")};
        if (m.hidden) attributes[1] = {text("Hidden"), nullptr};
    }
    for (const EventHandler& e : table.events) cls->events.at(static_cast<size_t>(e.event)).handler = e.handler;
    if (!table.scope.empty()) cls->classAttributes[0] = {text("__Scope"), text(table.scope)};
    record = cls;
}

}  // namespace setup
