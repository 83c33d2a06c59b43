// Member invokers, chosen by the form of a signature string.
#include "loom/Introspection.h"

#include "loom/Classes.h"
#include "loom/Runtime.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace loom {

namespace {

// One part of a signature: "b", "i4" or "o<Class>".
struct Slot {
    char kind;             // 'b', 'i' or 'o'
    std::string_view cls;  // the class of an object slot
};

struct Signature {
    std::optional<Slot> result;
    std::vector<Slot> arguments;
};

// Reads the slots of one part; false for text outside the notation.
bool readSlots(std::string_view text, std::vector<Slot>& out) {
    while (!text.empty()) {
        if (text[0] == 'b') {
            out.push_back({'b', {}});
            text.remove_prefix(1);
        } else if (text.substr(0, 2) == "i4") {
            out.push_back({'i', {}});
            text.remove_prefix(2);
        } else if (text.substr(0, 2) == "o<") {
            const size_t end = text.find('>');
            if (end == std::string_view::npos || end == 2) return false;
            out.push_back({'o', text.substr(2, end - 2)});
            text.remove_prefix(end + 1);
        } else {
            return false;
        }
    }
    return true;
}

std::optional<Signature> parse(std::string_view signature) {
    if (signature.size() < 2 || signature[0] != '%') return std::nullopt;
    const size_t second = signature.find('%', 1);
    if (second == std::string_view::npos) return std::nullopt;
    std::vector<Slot> result;
    Signature parsed;
    if (!readSlots(signature.substr(1, second - 1), result) || result.size() > 1 ||
        !readSlots(signature.substr(second + 1), parsed.arguments))
        return std::nullopt;
    if (!result.empty()) parsed.result = result[0];
    return parsed;
}

template <typename T>
T unpack(const Value& v) {
    if constexpr (std::is_same_v<T, bool>)
        return v.asBoolean();
    else if constexpr (std::is_same_v<T, int32_t>)
        return v.asInteger();
    else
        return v.asObject();
}

template <typename R>
Value pack(R r) {
    if constexpr (std::is_same_v<R, bool>) {
        return Value::boolean(r);
    } else if constexpr (std::is_same_v<R, int32_t>) {
        return Value::integer(r);
    } else {
        const auto handed = adopt(r);  // the operation handed over a reference; the value holds its own
        return Value::object(handed.get());
    }
}

template <typename R, typename... A, size_t... I>
Value call(Code operation, Object* receiver, const Value* arguments, std::index_sequence<I...>) {
    auto* f = as<R(Object*, A...)>(operation);
    if constexpr (std::is_void_v<R>) {
        f(receiver, unpack<A>(arguments[I])...);
        return Value();
    } else {
        return pack<R>(f(receiver, unpack<A>(arguments[I])...));
    }
}

template <typename R, typename... A>
Value invoke(Code operation, Object* receiver, const Value* arguments) {
    return call<R, A...>(operation, receiver, arguments, std::index_sequence_for<A...>{});
}

// The forms of signature for which an invoker exists: result, then arguments.
struct Form {
    std::string_view shape;
    Invoker invoker;
};
constexpr Form kForms[] = {
    {"|", &invoke<void>},
    {"|b", &invoke<void, bool>},
    {"|i", &invoke<void, int32_t>},
    {"|o", &invoke<void, Object*>},
    {"|oo", &invoke<void, Object*, Object*>},
    {"b|", &invoke<bool>},
    {"i|", &invoke<int32_t>},
    {"o|", &invoke<Object*>},
    {"b|o", &invoke<bool, Object*>},
    {"b|oii", &invoke<bool, Object*, int32_t, int32_t>},
};

std::string shapeOf(const Signature& s) {
    std::string shape;
    if (s.result) shape += s.result->kind;
    shape += '|';
    for (const Slot& a : s.arguments) shape += a.kind;
    return shape;
}

const ClassRecord* classNamed(std::string_view name) {
    for (const ClassRecord* cls : RuntimeClassRecords())
        if (cls->registeredName() == name) return cls;
    return nullptr;
}

}  // namespace

Invoker RuntimeInvokerFor(std::string_view signature) {
    const std::optional<Signature> parsed = parse(signature);
    if (!parsed) return nullptr;
    const std::string shape = shapeOf(*parsed);
    for (const Form& f : kForms)
        if (f.shape == shape) return f.invoker;
    return nullptr;
}

Value RuntimeInvokeMember(const MemberRecord& member, Object* receiver, const Value* arguments) {
    const std::string_view name = view(member.name);
    const std::optional<Signature> parsed = parse(view(member.signature));
    if (!member.invoker || !parsed) RaiseRuntimeException(std::string(name) + ": no invoker");
    for (size_t i = 0; i < parsed->arguments.size(); ++i) {
        const Slot& slot = parsed->arguments[i];
        const Value& v = arguments[i];
        const auto fail = [&](std::string_view why) {
            RaiseRuntimeException(std::string(name) + ": argument " + std::to_string(i + 1) + " " + std::string(why));
        };
        switch (slot.kind) {
        case 'b':
            if (v.type() != PropType::Boolean) fail("is not a boolean");
            break;
        case 'i':
            if (v.type() != PropType::Integer) fail("is not an integer");
            break;
        default: {
            if (v.type() != PropType::Object) fail("is not an object");
            const ClassRecord* cls = classNamed(slot.cls);
            if (!cls) fail("names an unknown class");
            if (v.asObject() && !RuntimeObjectIsa(v.asObject(), cls)) fail("is not of its class");
        }
        }
    }
    return reinterpret_cast<Invoker>(member.invoker)(member.code, receiver, arguments);
}

}  // namespace loom
