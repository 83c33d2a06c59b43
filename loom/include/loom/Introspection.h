// Introspection of class members: each member record carries an invoker that
// calls the member's operation with its arguments given as values.
#pragma once

#include "loom/Object.h"
#include "loom/Value.h"

#include <string_view>

namespace loom {

// Calls `operation` on `receiver` with the arguments the member's signature
// string lists, in that order, and gives its result as a value (a default
// value for a member without one; an object result's reference moves into it).
using Invoker = Value (*)(Code operation, Object* receiver, const Value* arguments);

// The invoker for a signature string ("%result%arguments", each part made of
// "b", "i4" and "o<Class>"), or none for a form the framework has no invoker for.
Invoker RuntimeInvokerFor(std::string_view signature);

// Calls `member` of `receiver` through its invoker, after checking each argument
// against the signature: a value of another type, or an object that is not of
// the class it names, raises a RuntimeException before the call, as does a
// member without an invoker. `arguments` holds as many values as it lists.
Value RuntimeInvokeMember(const MemberRecord& member, Object* receiver, const Value* arguments);

}  // namespace loom
