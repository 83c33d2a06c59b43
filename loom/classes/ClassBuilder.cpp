#include "ClassBuilder.h"

#include "loom/Runtime.h"

#include <cstdio>
#include <cstdlib>

namespace loom::detail {

Ref<String> literal(std::string_view text) { return adopt(RuntimeNewString(text)); }

void unsupportedOperation() { RaiseRuntimeException("this operation is not supported by the framework"); }

const ClassRecord* buildClass(const ClassSpec& spec) {
    const size_t parentMembers = spec.parent ? spec.parent->members.size() : 0;
    const size_t parentEvents = spec.parent ? spec.parent->events.size() : 0;
    const size_t parentProps = spec.parent ? spec.parent->properties.size() : 0;
    const size_t parentOps = spec.parent && spec.parent->vtable ? spec.parent->vtable->entries.size() : 0;
    const auto total = [](size_t a, size_t b) { return static_cast<int32_t>(a + b); };

    ClassRecord* cls = RuntimeNewClass(
        spec.parent, total(parentMembers, spec.operations.size() + spec.properties.size() + spec.methods.size()), 0,
        total(parentEvents, spec.events.size()), 0, total(parentProps, spec.properties.size()), 0);
    cls->name = RuntimeNewString(spec.name);  // the record's for good
    cls->allocate = spec.allocate ? spec.allocate : cls->allocate;

    cls->vtable = RuntimeNewVtable(total(parentOps, spec.operations.size()));
    for (size_t i = 0; i < parentOps; ++i) cls->vtable->entries[i] = spec.parent->vtable->entries[i];

    size_t member = parentMembers;
    size_t slot = parentOps;
    for (std::string_view op : spec.operations) {
        cls->vtable->entries[slot++] = code(&unsupportedOperation);
        cls->members[member++] = {literal(op), kMethodVirtual, nullptr, code(&unsupportedOperation), nullptr, {}};
    }
    for (const Implementation& i : spec.implemented) {
        // A slot of an operation this class adds: its virtual-table entry and its member.
        const auto at = static_cast<size_t>(i.slot);
        if (i.slot < 0 || at < parentOps || at >= slot) {
            std::fprintf(stderr, "loom: %.*s implements slot %d, which it does not add\n",
                         static_cast<int>(spec.name.size()), spec.name.data(), i.slot);
            std::abort();
        }
        cls->vtable->entries[at] = i.code;
        cls->members[parentMembers + (at - parentOps)].code = i.code;
    }
    size_t prop = parentProps;
    for (const PropertySpec& p : spec.properties) {
        cls->members[member++] = {literal(p.name), kProperty, nullptr, nullptr, nullptr, {}};
        cls->properties[prop++] = {literal(p.name), p.type, p.initial};
    }
    for (std::string_view m : spec.methods)
        cls->members[member++] = {literal(m), kMethodStatic, nullptr, code(&unsupportedOperation), nullptr, {}};
    size_t event = parentEvents;
    for (std::string_view e : spec.events) cls->events[event++] = {literal(e), nullptr};
    return cls;
}

}  // namespace loom::detail
