// Reading and writing layout records.
#include "loom/Layout.h"
#include "loom/CallRecord.h"
#include "loom/Runtime.h"
#include "loom/Testing.h"
#include "loom/Windows.h"

#include <strings.h>

#include <utility>
#include <vector>

namespace loom {

int findProperty(const ClassRecord* cls, std::string_view name) {
    // Each class's own properties follow its parent's; search the class's own
    // first, then walk up the chain. Names compare without regard to case.
    for (const ClassRecord* c = cls; c; c = c->parent) {
        const size_t first = c->parent ? c->parent->properties.size() : 0;
        for (size_t i = first; i < c->properties.size(); ++i) {
            std::string_view declared = view(c->properties[i].name);
            if (declared.size() == name.size() && strncasecmp(declared.data(), name.data(), name.size()) == 0)
                return static_cast<int>(i);
        }
    }
    return -1;
}

namespace {

std::function<void(const Object*, std::string_view)>& setPropertiesObserver() {
    static std::function<void(const Object*, std::string_view)> observer;
    return observer;
}

[[noreturn]] void malformed(const Object* target, size_t offset, const std::string& problem) {
    RaiseRuntimeException("layout record for " + objectName(target) + ", byte " + std::to_string(offset) + ": " +
                          problem);
}

uint32_t bigEndian(std::string_view bytes, size_t at) {
    return (uint32_t(uint8_t(bytes[at])) << 24) | (uint32_t(uint8_t(bytes[at + 1])) << 16) |
           (uint32_t(uint8_t(bytes[at + 2])) << 8) | uint32_t(uint8_t(bytes[at + 3]));
}

}  // namespace

namespace testing {
void observeSetProperties(std::function<void(const Object*, std::string_view)> observer) {
    setPropertiesObserver() = std::move(observer);
}
}  // namespace testing

void _SetProperties(Object* target, String* record) {
    LOOM_RECORD("_SetProperties", objectName(target), std::to_string(view(record).size()));
    if (const auto& observe = setPropertiesObserver()) observe(target, view(record));
    if (!target) RaiseNilObjectException();
    const std::string_view bytes = view(record);

    // Read every entry before setting any, so a malformed record changes nothing.
    std::vector<std::pair<int, Value>> entries;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t blank = bytes.find(' ', at);
        if (blank == std::string_view::npos) malformed(target, at, "entry name without a blank after it");
        const std::string_view name = bytes.substr(at, blank - at);
        if (name.empty()) malformed(target, at, "empty entry name");
        const int slot = findProperty(target->cls, name);
        if (slot < 0)
            malformed(target, at,
                      "no property \"" + std::string(name) + "\" in " + std::string(target->cls->registeredName()));
        const PropertyRecord& p = target->cls->properties[static_cast<size_t>(slot)];
        size_t v = blank + 1;
        auto need = [&](size_t n) {
            if (bytes.size() - v < n)
                malformed(target, v,
                          "value of \"" + std::string(name) + "\" needs " + std::to_string(n) + " bytes, " +
                              std::to_string(bytes.size() - v) + " left");
        };
        switch (p.type) {
        case PropType::Integer:
        case PropType::Enumeration:
            need(4);
            entries.emplace_back(slot, Value::integer(static_cast<int32_t>(bigEndian(bytes, v)), p.type));
            v += 4;
            break;
        case PropType::Boolean: {
            need(1);
            const uint8_t b = uint8_t(bytes[v]);
            if (b > 1) malformed(target, v, "boolean \"" + std::string(name) + "\" is neither 0 nor 1");
            entries.emplace_back(slot, Value::boolean(b == 1));
            v += 1;
            break;
        }
        case PropType::String: {
            need(4);
            const uint32_t n = bigEndian(bytes, v);
            v += 4;
            need(n);
            entries.emplace_back(slot, Value::string(bytes.substr(v, n)));
            v += n;
            break;
        }
        case PropType::Color:
            need(3);
            entries.emplace_back(slot, Value::color({uint8_t(bytes[v]), uint8_t(bytes[v + 1]), uint8_t(bytes[v + 2])}));
            v += 3;
            break;
        default:
            malformed(
                target, at,
                "property \"" + std::string(name) + "\" is a " + typeName(p.type) + ", which records do not carry");
        }
        at = v;
    }
    for (auto& [slot, value] : entries) setProperty(target, slot, std::move(value));
}

void RecordWriter::name(std::string_view n) {
    m_bytes += n;
    m_bytes += ' ';
}

RecordWriter& RecordWriter::integer(std::string_view n, int32_t value) {
    name(n);
    const auto u = static_cast<uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8) m_bytes += static_cast<char>((u >> shift) & 0xFF);
    return *this;
}

RecordWriter& RecordWriter::boolean(std::string_view n, bool value) {
    name(n);
    m_bytes += static_cast<char>(value ? 1 : 0);
    return *this;
}

RecordWriter& RecordWriter::string(std::string_view n, std::string_view value) {
    name(n);
    const auto count = static_cast<uint32_t>(value.size());
    for (int shift = 24; shift >= 0; shift -= 8) m_bytes += static_cast<char>((count >> shift) & 0xFF);
    m_bytes += value;
    return *this;
}

RecordWriter& RecordWriter::color(std::string_view n, Color value) {
    name(n);
    m_bytes += static_cast<char>(value.red);
    m_bytes += static_cast<char>(value.green);
    m_bytes += static_cast<char>(value.blue);
    return *this;
}

String* RecordWriter::build() const { return RuntimeNewString(m_bytes); }

}  // namespace loom
