// Layout records: property settings as "Name value" entries, each value's width
// following from the declared type of the property it names.
#pragma once

#include "loom/Classes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace loom {

// Applies a record to a window or a control. A malformed record (unknown name,
// truncated value, a value of a type records cannot carry) raises a
// RuntimeException naming the byte offset and leaves the target unchanged.
void _SetProperties(Object* target, String* record);

// The property of that name in the class chain, ignoring case: the class's own
// first, then its ancestors'. -1 when absent.
int findProperty(const ClassRecord* cls, std::string_view name);

// Writes record constants: one call per entry, in record order.
class RecordWriter {
public:
    RecordWriter& integer(std::string_view name, int32_t value);
    RecordWriter& boolean(std::string_view name, bool value);
    RecordWriter& string(std::string_view name, std::string_view value);
    RecordWriter& color(std::string_view name, Color value);
    const std::string& bytes() const { return m_bytes; }
    String* build() const;  // a counted string with a reference for the caller

private:
    void name(std::string_view name);
    std::string m_bytes;
};

}  // namespace loom
