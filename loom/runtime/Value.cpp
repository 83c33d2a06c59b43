#include "loom/Value.h"
#include "loom/Runtime.h"

#include <cassert>
#include <cstdio>

namespace loom {

String::~String() { assert(refs == 0 && "string freed with references outstanding"); }

String* RuntimeNewString(std::string_view bytes) {
    auto* s = new String;
    s->bytes.assign(bytes);
    return s;
}

void RuntimeLockString(String* s) {
    if (s) ++s->refs;
}

void RuntimeUnlockString(String* s) {
    if (!s) return;
    assert(s->refs > 0 && "string released more often than retained");
    if (--s->refs == 0) delete s;
}

const char* typeName(PropType type) {
    switch (type) {
    case PropType::Integer: return "integer";
    case PropType::Enumeration: return "enumeration";
    case PropType::Boolean: return "boolean";
    case PropType::String: return "string";
    case PropType::Color: return "colour";
    case PropType::ByteEnumeration: return "byte enumeration";
    case PropType::Single: return "single";
    case PropType::Object: return "object";
    }
    return "?";
}

Value Value::integer(int32_t v, PropType t) {
    Value r;
    r.m_type = t;
    r.m_int = v;
    return r;
}

Value Value::boolean(bool v) {
    Value r;
    r.m_type = PropType::Boolean;
    r.m_int = v ? 1 : 0;
    return r;
}

Value Value::string(std::string_view v) {
    Value r;
    r.m_type = PropType::String;
    r.m_string = adopt(RuntimeNewString(v));
    return r;
}

Value Value::string(String* v) {
    Value r;
    r.m_type = PropType::String;
    r.m_string = retain(v);
    return r;
}

Value Value::color(Color v) {
    Value r;
    r.m_type = PropType::Color;
    r.m_color = v;
    return r;
}

Value Value::single(float v) {
    Value r;
    r.m_type = PropType::Single;
    r.m_single = v;
    return r;
}

Value Value::byteEnum(uint8_t v) {
    Value r;
    r.m_type = PropType::ByteEnumeration;
    r.m_int = v;
    return r;
}

Value Value::object(Object* v) {
    Value r;
    r.m_type = PropType::Object;
    r.m_object = retain(v);
    return r;
}

bool Value::operator==(const Value& o) const {
    if (m_type != o.m_type) return false;
    switch (m_type) {
    case PropType::String: return text() == o.text();
    case PropType::Color: return m_color == o.m_color;
    case PropType::Single: return m_single == o.m_single;
    case PropType::Object: return m_object == o.m_object;
    default: return m_int == o.m_int;
    }
}

std::string Value::describe() const {
    switch (m_type) {
    case PropType::Boolean: return m_int ? "true" : "false";
    case PropType::String: return '"' + std::string(text()) + '"';
    case PropType::Color: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02X %02X %02X", m_color.red, m_color.green, m_color.blue);
        return buf;
    }
    case PropType::Single: return std::to_string(m_single);
    case PropType::Object: return m_object ? "object" : "none";
    default: return std::to_string(m_int);
    }
}

}  // namespace loom
