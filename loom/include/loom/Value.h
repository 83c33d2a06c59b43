// Counted strings and the property values that objects hold.
#pragma once

#include "loom/Ref.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace loom {

struct Object;

// A counted byte string. Created with one reference held by the creator;
// freed when its count reaches zero, and only then.
struct String {
    int32_t refs = 1;
    std::string bytes;
    ~String();
};

String* RuntimeNewString(std::string_view bytes);  // counted: loom/Counting.h
inline std::string_view view(const String* s) { return s ? std::string_view(s->bytes) : std::string_view(); }
inline std::string_view view(const Ref<String>& s) { return view(s.get()); }

struct Color {
    uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(Color, Color) = default;
};

// The declared type of a property. Layout records carry the first five only.
enum class PropType : uint8_t {
    Integer,          // 32-bit signed, 4 bytes big-endian in a record
    Enumeration,      // 32-bit enumeration, encoded as an integer
    Boolean,          // 1 byte
    String,           // 4-byte big-endian count, then the bytes
    Color,            // 3 bytes: red, green, blue
    ByteEnumeration,  // one-byte enumeration (FontUnits)
    Single,           // single-precision number
    Object,           // an object reference (a Picture, for instance)
};

const char* typeName(PropType type);

// One property value. Strings and objects are held by reference: copying a
// Value takes a reference, destroying it releases one.
class Value {
public:
    Value() = default;
    static Value integer(int32_t v, PropType t = PropType::Integer);
    static Value boolean(bool v);
    static Value string(std::string_view v);
    static Value string(String* v);  // takes a reference of its own
    static Value color(Color v);
    static Value single(float v);
    static Value byteEnum(uint8_t v);
    static Value object(Object* v);  // takes a reference of its own; none allowed

    PropType type() const { return m_type; }
    int32_t asInteger() const { return m_int; }
    bool asBoolean() const { return m_int != 0; }
    float asSingle() const { return m_single; }
    Color asColor() const { return m_color; }
    String* asString() const { return m_string.get(); }
    std::string_view text() const { return view(m_string.get()); }
    Object* asObject() const { return m_object.get(); }

    bool operator==(const Value& other) const;
    std::string describe() const;  // for diagnostics and the call record

private:
    PropType m_type = PropType::Integer;
    int32_t m_int = 0;
    float m_single = 0;
    Color m_color;
    Ref<String> m_string;
    Ref<Object> m_object;
};

}  // namespace loom
